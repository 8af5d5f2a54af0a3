#pragma once

#include "App/controls/KTTableView.h"

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// A row painter whose rows carry painted buttons (delete, edit, tick).
class RowButtonPainter : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The button of the row under the point, or -1. rowRect is the row's visual rectangle.
    virtual int buttonAt(const QModelIndex& index, const QRect& rowRect, const QPoint& point) const = 0;
};

// The lists of the directory screens: a KTTableView whose painted row buttons take their own
// clicks, as real buttons would. A press on a button is consumed (the row is neither pressed nor
// double-clicked) and the button acts when the left button is released over it. Only the left
// button acts on rows at all.
class RowButtonTableView final : public KTTableView {
    Q_OBJECT

public:
    explicit RowButtonTableView(QWidget* parent = nullptr);

    // The painter that draws the rows and knows where their buttons are; owned by the view.
    void setRowButtonPainter(RowButtonPainter* painter);
    RowButtonPainter* rowButtonPainter() const { return m_painter; }

signals:
    // Emitted last in the mouse handling, so a receiver may rebuild the model.
    void rowButtonClicked(int row, int button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The row and button under the point; row -1 when no button is there.
    std::pair<QModelIndex, int> buttonUnder(const QPoint& point) const;
    bool pressButton(QMouseEvent* event);

    RowButtonPainter* m_painter = nullptr;
    QPersistentModelIndex m_pressedRow;
    int m_pressedButton = -1;
};
