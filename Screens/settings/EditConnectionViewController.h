#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "App/controls/KTTableView.h"
#include "Logic/bridge/ConnectionSettings.h"

#include <QStringList>

#include <vector>

class ConnectionInfoViewController;
class CustomButtonViewController;
class MuteViewController;
class RowViewTable;
class SettingsCellView;
class VolumeUpDownViewController;

// "Add Connection" / "Edit Connection": a menu of four pages that each edit one part of a
// single profile object, which all four share with the row it came from. The pages write into
// that object when left with their back buttons; only Save stores it. Cancel leaves it to the
// connection list, which reads the store again when it shows.
class EditConnectionViewController final : public ViewController,
                                           public KTNavigationBarDelegate,
                                           public KTTableDelegate {
    Q_OBJECT

public:
    explicit EditConnectionViewController(QObject* parent = nullptr);

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }
    // True: Save adds the profile; false: Save updates it.
    bool createsNewConnection() const { return m_createsNewConnection; }
    void setCreatesNewConnection(bool createsNew) { m_createsNewConnection = createsNew; }

    const QStringList& menuNames() const { return m_menuNames; }
    const std::vector<SettingsCellView*>& menuViews() const { return m_menuViews; }
    KTTableView* tableView() const { return m_tableView; }
    ConnectionInfoViewController* connectionInfoViewController() const {
        return m_connectionInfoViewController;
    }
    VolumeUpDownViewController* volumeUpDownViewController() const { return m_volumeUpDownViewController; }
    MuteViewController* muteViewController() const { return m_muteViewController; }
    CustomButtonViewController* customButtonViewController() const { return m_customButtonViewController; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didClickedRow(KTTableView* tableView, int row) override;
    // Cancel and Save.
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;

protected:
    QWidget* buildView() override;

private:
    void loadMenuViews();
    void loadViewControllers();
    // The editor ends with its opening: once off the stack it goes, and its pages with it.
    void leave();

    ConnectionSettingsPtr m_connection;
    bool m_createsNewConnection = false;
    QStringList m_menuNames;
    std::vector<SettingsCellView*> m_menuViews;
    ConnectionInfoViewController* m_connectionInfoViewController = nullptr;
    VolumeUpDownViewController* m_volumeUpDownViewController = nullptr;
    MuteViewController* m_muteViewController = nullptr;
    CustomButtonViewController* m_customButtonViewController = nullptr;
    KTTableView* m_tableView = nullptr;
    RowViewTable* m_rows = nullptr;
};
