#include "Screens/settings/EditConnectionViewController.h"

#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/CustomButtonViewController.h"
#include "Screens/settings/MuteViewController.h"
#include "Screens/settings/RowViewTable.h"
#include "Screens/settings/SettingsCellView.h"
#include "Screens/settings/SettingsWidgets.h"
#include "Screens/settings/VolumeUpDownViewController.h"

EditConnectionViewController::EditConnectionViewController(QObject* parent)
    : ViewController(QStringLiteral("EditConnectionView"), parent),
      m_menuNames{QStringLiteral("Connection Info"), QStringLiteral("Volume Up/Down"), QStringLiteral("Mute"),
                  QStringLiteral("Custom")} {}

QWidget* EditConnectionViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    m_rows = SettingsWidgets::listPage(view);
    m_tableView = m_rows->tableView();
    return view;
}

void EditConnectionViewController::viewDidLoad() {
    loadMenuViews();
    loadViewControllers();
    m_tableView->setExtendedDelegate(this);
    m_rows->setRowViews({m_menuViews.begin(), m_menuViews.end()});
}

void EditConnectionViewController::loadMenuViews() {
    m_menuViews = SettingsWidgets::menuCells(m_tableView, m_menuNames);
}

void EditConnectionViewController::loadViewControllers() {
    m_connectionInfoViewController = new ConnectionInfoViewController(this);
    m_volumeUpDownViewController = new VolumeUpDownViewController(this);
    m_muteViewController = new MuteViewController(this);
    m_customButtonViewController = new CustomButtonViewController(this);
    m_connectionInfoViewController->setConnection(m_connection);
    m_volumeUpDownViewController->setConnection(m_connection);
    m_muteViewController->setConnection(m_connection);
    m_customButtonViewController->setConnection(m_connection);
}

void EditConnectionViewController::viewWillAppear(bool) {
    setTitle(m_createsNewConnection ? QStringLiteral("Add Connection") : QStringLiteral("Edit Connection"));
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    KTNavigationBarController* bar = stack->navigationBar();
    bar->barTitle()->setText(title());
    bar->leftButton()->setIcon(QIcon());
    bar->leftButton()->setText(QStringLiteral("Cancel"));
    bar->leftButton()->setAccessibleName(QString());
    bar->leftButton()->show();
    bar->rightButton()->setIcon(QIcon());
    bar->rightButton()->setText(QStringLiteral("Save"));
    bar->rightButton()->show();
    bar->optionalButton()->hide();
    bar->viewDidLoad();
}

void EditConnectionViewController::didClickedRow(KTTableView*, int row) {
    const std::vector<ViewController*> pages{m_connectionInfoViewController, m_volumeUpDownViewController,
                                             m_muteViewController, m_customButtonViewController};
    SettingsWidgets::pushPageOfRow(this, pages, row);
}

void EditConnectionViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    leave();
}

// Save checks nothing of its own (the pages warn when they are left), but a store that refused
// the profile is said, and the editor stays with everything as typed.
void EditConnectionViewController::rightButtonOfNavigationBarClicked(QAbstractButton*) {
    const bool saved = m_createsNewConnection
                           ? ConnectionSettingsManager::addConnectionSettings(*m_connection)
                           : ConnectionSettingsManager::updateConnectionSettings(*m_connection);
    if (!saved) {
        Alert::show(view(), QString(), QStringLiteral("Failed to save connection"), {QStringLiteral("OK")});
        return;
    }
    Post("connectionSettingsChanged");
    leave();
}

void EditConnectionViewController::leave() {
    SettingsWidgets::popPage(this);
    deleteLater();
}
