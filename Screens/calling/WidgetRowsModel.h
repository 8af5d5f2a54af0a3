#pragma once

#include <QAbstractListModel>

#include <vector>

class KTTableView;
class QWidget;

// The model behind a short list whose rows are views of their own (the active-call rows, the
// numbers of the number picker): it only counts the rows and gives each its height, and the
// views are laid over the list's items. Replacing the rows deletes the previous ones (later,
// from the event loop).
class WidgetRowsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit WidgetRowsModel(KTTableView* tableView);

    // The list now shows these views, in order, each as tall as its own height.
    void setRows(const std::vector<QWidget*>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    KTTableView* m_tableView;
    std::vector<int> m_heights;
};
