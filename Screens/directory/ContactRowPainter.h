#pragma once

#include "Screens/directory/RowButtonTableView.h"

// Draws the rows of a ContactListModel: a section header with its key, or a contact with its
// name, its company in light grey, a line below and, by the list's mode, its buttons (edit
// mode: delete on the left, edit on the right; pick mode: a tick box on the left).
class ContactRowPainter final : public RowButtonPainter {
    Q_OBJECT

public:
    enum Button { LeftButton = 0, RightButton = 1 };
    static constexpr int headerHeight = 24;
    static constexpr int contactHeight = 54;

    using RowButtonPainter::RowButtonPainter;

    // Where a button of a contact row sits; paint, hit test and tests all use this.
    static QRect buttonRect(const QRect& rowRect, Button which);
    // Where the name and company begin and how wide they run, by mode (plain, edit, pick).
    static int textLeft(int mode);
    static int textWidth(int mode);

    int buttonAt(const QModelIndex& index, const QRect& rowRect, const QPoint& point) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintHeader(QPainter* painter, const QRect& rect, const QModelIndex& index) const;
    void paintContact(QPainter* painter, const QRect& rect, const QModelIndex& index) const;
};
