#pragma once

#include "App/controls/DimmedView.h"

// The root of the number picker: it dims what lies beneath and holds the list of numbers in
// numberTableView. A press beside that list closes the picker without a choice.
class NumberPickerView final : public DimmedView {
    Q_OBJECT

public:
    explicit NumberPickerView(QWidget* parent = nullptr);

    QWidget* numberTableView() const { return panel(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
