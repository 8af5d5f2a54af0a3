#pragma once

#include "Screens/directory/RowButtonTableView.h"

// Draws the rows of a CallLogListModel: a date header, or an entry with its name, company and
// number on the left and, on the right, its time, duration and type or, in edit mode, its edit
// button.
class CallLogRowPainter final : public RowButtonPainter {
    Q_OBJECT

public:
    enum Button { EditButton = 0 };
    static constexpr int headerHeight = 24;
    static constexpr int entryHeight = 66;

    using RowButtonPainter::RowButtonPainter;

    // Where the edit button of an entry sits; paint, hit test and tests all use this.
    static QRect buttonRect(const QRect& rowRect);

    int buttonAt(const QModelIndex& index, const QRect& rowRect, const QPoint& point) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintEntry(QPainter* painter, const QRect& rect, const QModelIndex& index) const;
};
