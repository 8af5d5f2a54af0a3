#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTTableView.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Screens/settings/ConnectionCellView.h"

#include <QPointer>

#include <string>
#include <vector>

class EditConnectionViewController;
class QPushButton;
class RowViewTable;

// The "Connections" screen: one row per stored profile. Outside edit mode a row's right button
// connects with that profile, asking first when another profile is current. In edit mode
// ("Add/Edit") the rows open the profile editor, "New Connection" adds one and the left buttons
// delete. Profiles import from and export to CSV files.
//
// Opened directly by the tab bar it is standalone: its back button then hands the window back
// to the tab the user came from instead of popping.
class ConnectionViewController final : public ViewController,
                                       public KTNavigationBarDelegate,
                                       public KTTableDelegate,
                                       public ConnectionCellDelegate {
    Q_OBJECT

public:
    explicit ConnectionViewController(QObject* parent = nullptr);

    bool standalone() const { return m_standalone; }
    void setStandalone(bool standalone) { m_standalone = standalone; }

    const std::vector<ConnectionSettingsPtr>& connections() const { return m_connections; }
    const std::vector<ConnectionCellView*>& connectionViews() const { return m_connectionViews; }
    ConnectionCellView* newConnectionView() const { return m_newConnectionView; }
    bool editMode() const { return m_editMode; }
    bool sortsConnectionAscending() const { return m_sortsConnectionAscending; }
    KTTableView* tableView() const { return m_tableView; }
    QPushButton* importButton() const { return m_importButton; }
    QPushButton* exportButton() const { return m_exportButton; }
    // The editor opened last, while it lives.
    EditConnectionViewController* editor() const;

    void viewDidLoad() override;
    // The Settings tab was chosen with this screen on top: it refills as on a push.
    void viewWillAppearInWindow() override;
    void viewWillAppear(bool animated) override;

    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void middleButtonOfNavigationBarClicked(QAbstractButton* button) override;

    void didClickedRow(KTTableView* tableView, int row) override;
    void connectionCellDoubleClicked();

    void leftButtonOfConnectionCellClicked(ConnectionCellView* cell) override;
    void rightButtonOfConnectionCellClicked(ConnectionCellView* cell) override;

    void importButtonClicked();
    void exportButtonClicked();

    ConnectionCellView* loadConnectionCellView();
    // Makes new rows for `connections` (after "New Connection" in edit mode), lighting the
    // current profile's row. The table shows them at the next reload.
    void loadConnectionViews();

protected:
    QWidget* buildView() override;

private:
    void reloadTable();
    void reloadFromStore();
    void openEditor(ConnectionCellView* cell);
    void connectWith(const ConnectionSettingsPtr& connection);
    void askToDelete(ConnectionCellView* cell);
    void importFile(const std::string& path);
    void exportFile(const std::string& path);

    bool m_standalone = false;
    std::vector<ConnectionSettingsPtr> m_connections;
    std::vector<ConnectionCellView*> m_connectionViews;
    ConnectionCellView* m_newConnectionView = nullptr;
    bool m_editMode = false;
    bool m_sortsConnectionAscending = true;
    KTTableView* m_tableView = nullptr;
    RowViewTable* m_rows = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPointer<EditConnectionViewController> m_editor;
};
