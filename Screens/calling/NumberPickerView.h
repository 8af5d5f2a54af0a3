#pragma once

#include "App/controls/DimmedView.h"

// The root of the number picker: it dims what lies beneath and holds the list of numbers in
// numberTableView. A press beside that list closes the picker without a choice.
class NumberPickerView final : public DimmedView {
    Q_OBJECT

public:
    explicit NumberPickerView(QWidget* parent = nullptr);

    QWidget* numberTableView() const { return panel(); }
    // The list's panel is as tall as its rows, but no taller than this view leaves room for:
    // a longer list scrolls inside it.
    void setPanelHeight(int height);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPanel();

    int m_panelHeight = 0;
};
