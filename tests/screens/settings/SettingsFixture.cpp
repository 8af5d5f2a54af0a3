#include "screens/settings/SettingsFixture.h"

#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTTableView.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/database/CPPDatabase.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "ui/support/UiHarness.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace SettingsFixture {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QStringList texts(std::initializer_list<const char*> utf8) {
    QStringList list;
    for (const char* item : utf8) {
        list.append(QString::fromUtf8(item));
    }
    return list;
}

bool runSql(const std::string& statement) {
    return CPPDatabase::getInstance().execute(statement, nullptr);
}

void resetStore() {
    runSql("PRAGMA query_only=0");
    UiHarness::resetStore();
    for (const char* table : {"Contact", "ContactNumber", "CallLog"}) {
        runSql(std::string("delete from ") + table);
    }
    // A test may have taken the security row away; a new file has one.
    if (!runSql("insert into SecuritySettings(passwordProtected, password) select 0, '' where not exists "
                "(select 1 from SecuritySettings)")) {
        qFatal("the security settings row could not be put back");
    }
    Alert::clearRequests();
}

void forgetCurrentProfile() {
    TessmarkDialerCore::close();
    TessmarkDialerCore::open();
}

ConnectionSettingsPtr storeProfile(const std::string& roomName, uint16_t port, bool autoConnect) {
    auto profile = std::make_shared<ConnectionSettings>();
    profile->setRoomName(roomName);
    profile->setIp("127.0.0.1");
    profile->setPort(port);
    profile->setUserName("admin");
    profile->setPassword("s3cret");
    profile->setTelcoVoIPEPN("1");
    profile->setIsAutoConnect(autoConnect);
    if (!ConnectionSettingsManager::addConnectionSettings(*profile)) {
        qFatal("a test profile could not be stored");
    }
    return profile;
}

QString lastSheetText() {
    const auto& requests = Alert::requests();
    return requests.empty() ? QString() : requests.back().informativeText;
}

int sheetCount() {
    return static_cast<int>(Alert::requests().size());
}

void runQueued() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void pressRow(KTTableView* table, int row, bool doubleClick) {
    const QRect area = table->visualRect(table->model()->index(row, 0));
    // The middle of the row lies on its name, between its buttons; the press goes up from
    // there to the table as a user's would.
    const QPoint point = area.center();
    QWidget* target = table->viewport()->childAt(point);
    QWidget* receiver = target != nullptr ? target : table->viewport();
    const QPoint local = receiver->mapFrom(table->viewport(), point);
    if (doubleClick) {
        QTest::mouseDClick(receiver, Qt::LeftButton, {}, local);
    } else {
        QTest::mouseClick(receiver, Qt::LeftButton, {}, local);
    }
}

QList<QWidget*> tabOrder(QWidget* page) {
    QList<QWidget*> order;
    QWidget* widget = page;
    do {
        widget = widget->nextInFocusChain();
        const bool reachable = widget->isVisibleTo(page) && widget->isEnabled() &&
                               (widget->focusPolicy() & Qt::TabFocus) != 0 && page->isAncestorOf(widget);
        if (reachable && !order.contains(widget)) {
            order.append(widget);
        }
    } while (widget != page);
    return order;
}

QList<QWidget*> readingOrder(QList<QWidget*> widgets) {
    auto positionOf = [](QWidget* widget) { return widget->mapTo(widget->window(), QPoint(0, 0)); };
    std::stable_sort(widgets.begin(), widgets.end(), [&](QWidget* first, QWidget* second) {
        const QPoint a = positionOf(first);
        const QPoint b = positionOf(second);
        // Widgets of one row are laid within a few pixels of each other.
        if (std::abs(a.y() - b.y()) > 8) {
            return a.y() < b.y();
        }
        return a.x() < b.x();
    });
    return widgets;
}

SettingsTab::SettingsTab(UiHarness& ui) : m_list(ui.delegate().tabBarController()->settingsViewController()) {
    TabBarController* tabs = ui.delegate().tabBarController();
    tabs->bottomButtonClicked(tabs->settingsButton());
    settle();
    stack()->popToRootViewControllerAnimated(false);
    ui.window()->show();
}

KTNavigationController* SettingsTab::stack() const {
    return m_list->navigationController();
}

KTNavigationBarController* SettingsTab::bar() const {
    return stack()->navigationBar();
}

ViewController* SettingsTab::top() const {
    return stack()->topViewController();
}

void SettingsTab::push(ViewController* page) {
    stack()->pushViewController(page, false);
}

void SettingsTab::settle() {
    stack()->finishPendingSlide();
}

void SettingsTab::clickLeft() {
    bar()->leftButton()->click();
    settle();
}

void SettingsTab::clickRight() {
    bar()->rightButton()->click();
    settle();
}

void SettingsTab::clickMiddle() {
    bar()->optionalButton()->click();
    settle();
}

ConnectionViewController* SettingsTab::openConnections() {
    ConnectionViewController* connections = m_list->connectionViewController();
    connections->setStandalone(false);
    push(connections);
    return connections;
}

EditConnectionViewController* SettingsTab::openEditor(int row) {
    ConnectionViewController* connections = openConnections();
    if (!connections->editMode()) {
        clickRight();
    }
    connections->connectionViews()[static_cast<size_t>(row)]->rightButton()->click();
    settle();
    return connections->editor();
}

} // namespace SettingsFixture
