#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QWidget>

#include <vector>

class KTTableView;

// The rows of a settings list are row views the screen makes and keeps (a row holds buttons and
// its own state). This model lays them into a KTTableView: row N is the N-th view, as tall as
// its frame. A reload never deletes a view, not even one that left the list; the screen decides
// when a row view goes.
class RowViewTable final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit RowViewTable(KTTableView* tableView);

    // The table now shows these views, in order (a full reload).
    void setRowViews(const std::vector<QWidget*>& views);
    KTTableView* tableView() const { return m_tableView; }
    // The view of a row, or null outside the rows.
    QWidget* rowView(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void chainRowControlsAfterTable();

    KTTableView* m_tableView;
    std::vector<QPointer<QWidget>> m_views;
};
