#include "screens/settings/SettingsFixture.h"

#include "App/Alert.h"
#include "App/InputPasswordViewController.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTTableView.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/database/CPPDatabase.h"
#include "Screens/settings/AboutViewController.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/CustomButtonViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/MuteViewController.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/VolumeUpDownViewController.h"
#include "ui/support/UserInput.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
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

namespace {

bool fail(const QString& message, const std::source_location& caller) {
    QTest::qFail(qPrintable(message), caller.file_name(), static_cast<int>(caller.line()));
    return false;
}

} // namespace

QString closeSheet(const QString& button, std::source_location caller) {
    runQueued();
    QMessageBox* sheet = Alert::currentBox();
    if (sheet == nullptr || !sheet->isVisible() || !QTest::qWaitForWindowExposed(sheet)) {
        fail(QStringLiteral("no sheet shows"), caller);
        return {};
    }
    const QList<QAbstractButton*> buttons = sheet->buttons();
    const auto found = std::find_if(buttons.begin(), buttons.end(), [&button](const QAbstractButton* shown) {
        return shown->text() == button;
    });
    if (found == buttons.end()) {
        fail(QStringLiteral("the sheet has no button \"%1\"").arg(button), caller);
        return {};
    }
    const QString text = lastSheetText();
    if (!UserInput::click(*found, Qt::LeftButton, {}, caller)) {
        return {};
    }
    runQueued();
    return text;
}

QString clickClosingSheet(QWidget* widget, std::source_location caller) {
    const int before = sheetCount();
    if (!UserInput::click(widget, Qt::LeftButton, {}, caller)) {
        return QStringLiteral("<the click was refused>");
    }
    runQueued();
    return sheetCount() == before ? QString() : closeSheet(QStringLiteral("OK"), caller);
}

bool clickRow(KTTableView* table, int row, bool doubleClick, std::source_location caller) {
    const QPoint middle = table->visualRect(table->model()->index(row, 0)).center();
    return doubleClick ? UserInput::doubleClickAt(table->viewport(), middle, caller)
                       : UserInput::clickAt(table->viewport(), middle, Qt::LeftButton, {}, caller);
}

namespace {

bool clickBarButton(KTNavigationController* stack, QPushButton* button, const std::source_location& caller) {
    const bool clicked = UserInput::click(button, Qt::LeftButton, {}, caller);
    stack->finishPendingSlide();
    return clicked;
}

} // namespace

bool clickBack(KTNavigationController* stack, std::source_location caller) {
    return clickBarButton(stack, stack->navigationBar()->leftButton(), caller);
}

bool clickRight(KTNavigationController* stack, std::source_location caller) {
    return clickBarButton(stack, stack->navigationBar()->rightButton(), caller);
}

bool clickMiddle(KTNavigationController* stack, std::source_location caller) {
    return clickBarButton(stack, stack->navigationBar()->optionalButton(), caller);
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

SettingsTab::SettingsTab(UiHarness& ui, const QString& password)
    : m_ui(ui), m_password(password), m_list(ui.delegate().tabBarController()->settingsViewController()) {
    ui.window()->show();
    // A refused click has recorded its failure; the test's next step fails on it too.
    (void)showRoot();
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

void SettingsTab::settle() {
    stack()->finishPendingSlide();
}

bool SettingsTab::show(std::source_location caller) {
    TabBarController* tabs = m_ui.delegate().tabBarController();
    if (tabs->passwordPrompt() == nullptr) {
        if (TabBarController::isOn(tabs->settingsButton())) {
            return true;
        }
        if (!UserInput::click(tabs->settingsButton(), Qt::LeftButton, {}, caller)) {
            return false;
        }
    }
    if (InputPasswordViewController* prompt = tabs->passwordPrompt()) {
        (void)QTest::qWaitForWindowActive(prompt->view()->window());
        if (!UserInput::type(m_password, caller) || !UserInput::press(Qt::Key_Return, {}, caller)) {
            return false;
        }
    }
    settle();
    return TabBarController::isOn(tabs->settingsButton()) ||
           fail(QStringLiteral("Settings did not open"), caller);
}

bool SettingsTab::showRoot(std::source_location caller) {
    // At most the editor's page, the editor, the list and the list's handing back lie above.
    for (int step = 0; step < 6; ++step) {
        if (!show(caller)) {
            return false;
        }
        if (top() == m_list) {
            return true;
        }
        if (!clickBack(caller)) {
            return false;
        }
    }
    return fail(QStringLiteral("the back button never reached the settings list"), caller);
}

bool SettingsTab::clickBack(std::source_location caller) {
    return SettingsFixture::clickBack(stack(), caller);
}

bool SettingsTab::clickRight(std::source_location caller) {
    return SettingsFixture::clickRight(stack(), caller);
}

bool SettingsTab::clickMiddle(std::source_location caller) {
    return SettingsFixture::clickMiddle(stack(), caller);
}

namespace {

bool openRowOf(SettingsTab& tab, KTTableView* table, const std::vector<ViewController*>& pages,
               ViewController* page, const std::source_location& caller) {
    const auto found = std::find(pages.begin(), pages.end(), page);
    if (found == pages.end()) {
        return fail(QStringLiteral("no row opens this page"), caller);
    }
    if (!clickRow(table, static_cast<int>(found - pages.begin()), false, caller)) {
        return false;
    }
    tab.settle();
    return tab.top() == page || fail(QStringLiteral("the row's page did not come on top"), caller);
}

} // namespace

bool SettingsTab::open(ViewController* page, std::source_location caller) {
    return openRowOf(*this, m_list->tableView(),
                     {m_list->connectionViewController(), m_list->preferencesViewController(),
                      m_list->phoneBookSettingsViewController(), m_list->securityViewController(),
                      m_list->aboutViewController()},
                     page, caller);
}

bool SettingsTab::open(EditConnectionViewController* editor, ViewController* page,
                       std::source_location caller) {
    return openRowOf(*this, editor->tableView(),
                     {editor->connectionInfoViewController(), editor->volumeUpDownViewController(),
                      editor->muteViewController(), editor->customButtonViewController()},
                     page, caller);
}

ConnectionViewController* SettingsTab::openConnections(std::source_location caller) {
    ConnectionViewController* connections = m_list->connectionViewController();
    return open(connections, caller) ? connections : nullptr;
}

EditConnectionViewController* SettingsTab::openEditor(int row, std::source_location caller) {
    ConnectionViewController* connections = openConnections(caller);
    if (connections == nullptr || (!connections->editMode() && !clickRight(caller))) {
        return nullptr;
    }
    const std::vector<ConnectionCellView*>& rows = connections->connectionViews();
    if (row >= static_cast<int>(rows.size())) {
        fail(QStringLiteral("the list has no row %1").arg(row), caller);
        return nullptr;
    }
    if (!UserInput::click(rows[static_cast<size_t>(row)]->rightButton(), Qt::LeftButton, {}, caller)) {
        return nullptr;
    }
    settle();
    EditConnectionViewController* editor = connections->editor();
    if (editor == nullptr || top() != editor) {
        fail(QStringLiteral("the editor did not come on top"), caller);
        return nullptr;
    }
    return editor;
}

namespace {

UiHarness& launched(UiHarness& ui) {
    ui.launch();
    return ui;
}

} // namespace

EditorWindow::EditorWindow(int row) : tab(launched(ui)), editor(tab.openEditor(row)) {}

} // namespace SettingsFixture
