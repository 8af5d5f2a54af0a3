#include "Screens/settings/SettingsViewController.h"

#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "Screens/settings/AboutViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/RowViewTable.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsCellView.h"
#include "Screens/settings/SettingsWidgets.h"

SettingsViewController::SettingsViewController(QObject* parent)
    : ViewController(QStringLiteral("SettingsView"), parent), m_menuNames{QStringLiteral("Connection"),
                                                                          QStringLiteral("Preferences"),
                                                                          QStringLiteral("Phone Book"),
                                                                          QStringLiteral("Security"),
                                                                          QStringLiteral("About")} {}

QWidget* SettingsViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    m_rows = SettingsWidgets::listPage(view);
    m_tableView = m_rows->tableView();
    return view;
}

void SettingsViewController::viewDidLoad() {
    setTitle(QStringLiteral("Settings"));
    loadMenuCells();
    loadViewControllers();
    m_tableView->setExtendedDelegate(this);
    m_rows->setRowViews({m_menuViews.begin(), m_menuViews.end()});
}

void SettingsViewController::loadMenuCells() {
    m_menuViews = SettingsWidgets::menuCells(m_tableView, m_menuNames);
}

void SettingsViewController::loadViewControllers() {
    m_connectionViewController = new ConnectionViewController(this);
    m_preferencesViewController = new PreferencesViewController(this);
    m_phoneBookSettingsViewController = new PhoneBookSettingsViewController(this);
    m_securityViewController = new SecurityViewController(this);
    m_aboutViewController = new AboutViewController(this);
}

void SettingsViewController::viewWillAppear(bool) {
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    KTNavigationBarController* bar = stack->navigationBar();
    bar->leftButton()->hide();
    bar->rightButton()->hide();
    bar->optionalButton()->hide();
    bar->viewDidLoad();
}

void SettingsViewController::didClickedRow(KTTableView*, int row) {
    const std::vector<ViewController*> pages{m_connectionViewController, m_preferencesViewController,
                                             m_phoneBookSettingsViewController, m_securityViewController,
                                             m_aboutViewController};
    SettingsWidgets::pushPageOfRow(this, pages, row);
}

void SettingsViewController::openConnectionSettings() {
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    view();
    ViewController* top = stack->topViewController();
    if (top != m_connectionViewController) {
        if (top != this) {
            stack->popToRootViewControllerAnimated(true);
        }
        stack->pushViewController(m_connectionViewController, true);
    }
    m_connectionViewController->setStandalone(true);
}
