#pragma once

#include "App/ViewController.h"
#include "App/controls/KTTableView.h"

#include <QStringList>

#include <vector>

class AboutViewController;
class ConnectionViewController;
class PhoneBookSettingsViewController;
class PreferencesViewController;
class RowViewTable;
class SecurityViewController;
class SettingsCellView;

// The root of the Settings tab: five rows, each pushing one settings page. The pages are made
// once, with the list's view, and reused on every visit.
class SettingsViewController final : public ViewController, public KTTableDelegate {
    Q_OBJECT

public:
    explicit SettingsViewController(QObject* parent = nullptr);

    // Shows the connection list, from wherever the stack stands, as the tab bar's direct
    // opening: back to the root unless the list is on top, the list pushed, then standalone.
    void openConnectionSettings();

    const QStringList& menuNames() const { return m_menuNames; }
    const std::vector<SettingsCellView*>& menuViews() const { return m_menuViews; }
    KTTableView* tableView() const { return m_tableView; }
    ConnectionViewController* connectionViewController() const { return m_connectionViewController; }
    PreferencesViewController* preferencesViewController() const { return m_preferencesViewController; }
    PhoneBookSettingsViewController* phoneBookSettingsViewController() const {
        return m_phoneBookSettingsViewController;
    }
    SecurityViewController* securityViewController() const { return m_securityViewController; }
    AboutViewController* aboutViewController() const { return m_aboutViewController; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didClickedRow(KTTableView* tableView, int row) override;

protected:
    QWidget* buildView() override;

private:
    void loadMenuCells();
    void loadViewControllers();

    QStringList m_menuNames;
    std::vector<SettingsCellView*> m_menuViews;
    ConnectionViewController* m_connectionViewController = nullptr;
    PreferencesViewController* m_preferencesViewController = nullptr;
    PhoneBookSettingsViewController* m_phoneBookSettingsViewController = nullptr;
    SecurityViewController* m_securityViewController = nullptr;
    AboutViewController* m_aboutViewController = nullptr;
    KTTableView* m_tableView = nullptr;
    RowViewTable* m_rows = nullptr;
};
