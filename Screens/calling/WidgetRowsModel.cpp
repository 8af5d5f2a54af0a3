#include "Screens/calling/WidgetRowsModel.h"

#include "App/controls/KTTableView.h"

#include <QSize>
#include <QWidget>

WidgetRowsModel::WidgetRowsModel(KTTableView* tableView)
    : QAbstractListModel(tableView), m_tableView(tableView) {
    m_tableView->setModel(this);
    m_tableView->setUniformItemSizes(false);
    // The rows draw their own selection.
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
}

void WidgetRowsModel::setRows(const std::vector<QWidget*>& rows) {
    // The reset hands the views of the old rows to deleteLater.
    beginResetModel();
    m_heights.clear();
    for (const QWidget* row : rows) {
        m_heights.push_back(row->height());
    }
    endResetModel();
    for (size_t row = 0; row < rows.size(); ++row) {
        m_tableView->setIndexWidget(index(static_cast<int>(row)), rows[row]);
    }
}

int WidgetRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_heights.size());
}

QVariant WidgetRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::SizeHintRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return QSize(m_tableView->viewport()->width(), m_heights[static_cast<size_t>(index.row())]);
}
