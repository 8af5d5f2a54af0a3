#include "Screens/settings/RowViewTable.h"

#include "App/controls/KTTableView.h"

#include <QStyledItemDelegate>

namespace {

// The row views cover their rows completely, so the delegate paints nothing; and when the
// table lets go of a row view (on a reload) it only hides it, where Qt's own would delete it.
class RowViewDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter*, const QStyleOptionViewItem&, const QModelIndex&) const override {}
    void destroyEditor(QWidget* editor, const QModelIndex&) const override { editor->hide(); }
};

} // namespace

RowViewTable::RowViewTable(KTTableView* tableView) : QAbstractListModel(tableView), m_tableView(tableView) {
    m_tableView->setItemDelegate(new RowViewDelegate(m_tableView));
    m_tableView->setModel(this);
    m_tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tableView->setFrameShape(QFrame::NoFrame);
}

void RowViewTable::setRowViews(const std::vector<QWidget*>& views) {
    beginResetModel();
    m_views.assign(views.begin(), views.end());
    endResetModel();
    for (int row = 0; row < rowCount(); ++row) {
        if (QWidget* view = rowView(row)) {
            m_tableView->setIndexWidget(index(row), view);
        }
    }
    chainRowControlsAfterTable();
}

// Row views are made after the list, so Tab would reach their buttons after everything under
// the list; they follow the list instead, row by row.
void RowViewTable::chainRowControlsAfterTable() {
    std::vector<QWidget*> controls;
    for (const QPointer<QWidget>& view : m_views) {
        if (view == nullptr) {
            continue;
        }
        for (QWidget* at = view->nextInFocusChain(); view->isAncestorOf(at); at = at->nextInFocusChain()) {
            if (at->focusPolicy() != Qt::NoFocus) {
                controls.push_back(at);
            }
        }
    }
    QWidget* previous = m_tableView;
    for (QWidget* control : controls) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QWidget* RowViewTable::rowView(int row) const {
    if (row < 0 || row >= rowCount()) {
        return nullptr;
    }
    return m_views[static_cast<size_t>(row)].data();
}

int RowViewTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_views.size());
}

QVariant RowViewTable::data(const QModelIndex& index, int role) const {
    if (role != Qt::SizeHintRole) {
        return {};
    }
    const QWidget* view = rowView(index.row());
    return view != nullptr ? QSize(m_tableView->viewport()->width(), view->height()) : QSize();
}
