#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/CallLog.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/common/Codes.h"
#include "Logic/protocol/CommandParser.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/TabWalk.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

// The parts of the window, in the order Tab is to visit them.
enum class Part { Toolbar, PageBar, Page, PageFoot, TabBar };

const std::string party = "EP UA 1 NOTIFICATION STATE_CHANGE PL ";
const std::string telco = "EP TELCO_RX 1 NOTIFICATION ";

QString namesOf(const QList<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* widget : widgets) {
        names.append(UserInput::describe(widget));
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

// Tab visits every control of the window, from top to bottom, and each one it reaches shows the
// program's one focus frame; a click shows none.
class FocusWalkTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        UiHarness::resetStore();
        for (const ContactPtr& contact : ContactManager::allContacts()) {
            ContactManager::removeContact(*contact);
        }
        CallLogManager::removeAll();
        auto contact = std::make_shared<Contact>("Ann", "", "Lee", "Northwind Traders");
        contact->setNumbers({std::make_shared<ContactNumber>("201", 2, 1, true)});
        contact->setFavorite(true);
        ContactManager::addContact(*contact);
        CallLog received;
        received.setCallNumber("201");
        CallLogManager::addCallLog(received);
        ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
        profile.setIsAutoConnect(true);
        ConnectionSettingsManager::addConnectionSettings(profile);

        m_ui = std::make_unique<UiHarness>();
        m_ui->launch();
        // Connected, with every toolbar button shown and enabled.
        m_ui->connectProfile(profile);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->dispatchRecord(NotificationType::VOLUME, "40");
        m_ui->dispatch(CommandParser().makeMuteNotification(false, "ENABLE"));
    }
    void cleanup() { m_ui.reset(); }

    void tabWalk_data() {
        QTest::addColumn<int>("tab");
        // The settings list's row of the page, or -1 for the tab's root page.
        QTest::addColumn<int>("settingsRow");
        // The phone type of a call whose screen lies over the page, or -1 for none.
        QTest::addColumn<int>("call");
        // What Tab reaches on the page in front: the tab's, or the call screen.
        QTest::addColumn<QStringList>("pageStops");
        const QStringList listBar{QStringLiteral("leftButton"), QStringLiteral("optionalButton"),
                                  QStringLiteral("rightButton")};
        const QStringList list{QStringLiteral("searchField"), QStringLiteral("tableView")};
        QTest::newRow("Favorites") << int(TabBarController::Favorites) << -1 << -1 << listBar + list;
        QTest::newRow("Dialer") << int(TabBarController::Dialer) << -1 << -1
                                << QStringList{QStringLiteral("leftButton"),  QStringLiteral("rightButton"),
                                               QStringLiteral("numberField"), QStringLiteral("button5"),
                                               QStringLiteral("callButton"),  QStringLiteral("sipURIButton")};
        QTest::newRow("Phone Book") << int(TabBarController::PhoneBook) << -1 << -1 << listBar + list;
        QTest::newRow("Logs") << int(TabBarController::Logs) << -1 << -1 << listBar + list;
        QTest::newRow("Settings") << int(TabBarController::Settings) << -1 << -1
                                  << QStringList{QStringLiteral("tableView")};
        QTest::newRow("Connections") << int(TabBarController::Settings) << 0 << -1
                                     << QStringList{
                                            QStringLiteral("leftButton"), QStringLiteral("rightButton"),
                                            QStringLiteral("tableView"), QStringLiteral("importButton"),
                                            QStringLiteral("exportButton")};
        QTest::newRow("Preferences") << int(TabBarController::Settings) << 1 << -1
                                     << QStringList{QStringLiteral("leftButton"),
                                                    QStringLiteral("autoFavoritesSwitch"),
                                                    QStringLiteral("dateFormatButton"),
                                                    QStringLiteral("segment0")};
        QTest::newRow("VoIP call over Favorites")
            << int(TabBarController::Favorites) << -1 << int(PhoneType::VOIP)
            << QStringList{QStringLiteral("tableView"), QStringLiteral("holdButton"),
                           QStringLiteral("endCallButton"), QStringLiteral("keyPadButton")};
        QTest::newRow("Telco call over the Dialer")
            << int(TabBarController::Dialer) << -1 << int(PhoneType::TELCO)
            << QStringList{QStringLiteral("endCallButton"), QStringLiteral("keypadButton")};
    }

    // Fault: Tab went from the toolbar to the tab bar and only then into the page; the bar's
    // text buttons showed only the style's faint box, the filter icon and the lists none; the
    // Dialer's foot came before its number field and keys; a call screen hid the page and the
    // tab bar from the eye but not from Tab. Backtab goes the same round the other way.
    void tabWalk() {
        QFETCH(int, tab);
        QFETCH(int, settingsRow);
        QFETCH(int, call);
        QFETCH(QStringList, pageStops);
        TabBarController* tabs = m_ui->delegate().tabBarController();
        KTNavigationController* front = tabs->viewControllers()[static_cast<size_t>(tab)];
        USER_CLICK(tabs->button(tab));
        if (settingsRow >= 0) {
            USER_INPUT_STEP(openSettingsRow(settingsRow));
        }
        if (call >= 0) {
            front = startCall(call);
            QVERIFY(front != nullptr);
        }

        const QList<QWidget*> stops = TabWalk::walk(80, [&](QWidget* stop) {
            QVERIFY2(TabWalk::framed(stop),
                     qPrintable(UserInput::describe(stop) + QStringLiteral(" shows no frame")));
        });
        QVERIFY(!stops.isEmpty());
        QList<QWidget*> backwards = TabWalk::walk(80, {}, Qt::Key_Backtab);
        std::reverse(backwards.begin(), backwards.end());
        QVERIFY2(backwards == stops, qPrintable(namesOf(backwards)));

        // Only what the user sees: the toolbar, the page in front and, with no call screen over
        // them, the tab bar.
        QWidget* tabBar = tabs->bottomBarView();
        for (QWidget* stop : stops) {
            const bool shown = m_ui->delegate().toolbarView()->isAncestorOf(stop) ||
                               front->view()->isAncestorOf(stop) || (call < 0 && tabBar->isAncestorOf(stop));
            QVERIFY2(shown, qPrintable(UserInput::describe(stop) + QStringLiteral(" lies under the page")));
        }

        // Top to bottom once round: from where Tab enters the toolbar, no part comes before the last.
        QList<Part> round;
        const QList<QWidget*> fromTop = TabWalk::enteringAt(stops, m_ui->delegate().toolbarView());
        for (QWidget* stop : fromTop) {
            round.append(partOf(stop, front));
        }
        QCOMPARE(round.first(), Part::Toolbar);
        QVERIFY2(std::is_sorted(round.begin(), round.end()), qPrintable(namesOf(fromTop)));
        QCOMPARE(round.contains(Part::TabBar), call < 0);
        for (const QString& name : pageStops) {
            const bool reached = std::any_of(stops.begin(), stops.end(), [&](const QWidget* stop) {
                return stop->objectName() == name && front->view()->isAncestorOf(stop);
            });
            QVERIFY2(reached, qPrintable(name + QStringLiteral(" not among ") + namesOf(stops)));
        }
    }

    // A question's buttons are reached by Tab and framed like the window's.
    void sheetButtonsShowTheFrame() {
        TabBarController* tabs = m_ui->delegate().tabBarController();
        USER_CLICK(tabs->logsButton());
        USER_CLICK(tabs->viewControllers()[TabBarController::Logs]->navigationBar()->rightButton());
        QMessageBox* sheet = Alert::currentBox();
        QVERIFY(sheet != nullptr);
        QList<QWidget*> framedButtons;
        for (int step = 0; step < 4; ++step) {
            USER_PRESS(Qt::Key_Tab);
            auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            QVERIFY(button != nullptr && sheet->isAncestorOf(button));
            QVERIFY2(TabWalk::framed(button), qPrintable(UserInput::describe(button)));
            if (!framedButtons.contains(button)) {
                framedButtons.append(button);
            }
        }
        QCOMPARE(framedButtons.size(), 2);
        sheet->done(0);
    }

    // Fault: a control drew its frame on any focus, or the frame showed whenever focus came for
    // a mouse reason (a click's press hides it again, a wheel turn does not). Right after Tab
    // showed a frame, a click on a switch, a segment or a push button, or the wheel turned over a
    // pop-up that takes focus by the wheel, gives it focus but no frame.
    void aClickShowsNoFrame() {
        TabBarController* tabs = m_ui->delegate().tabBarController();
        SettingsViewController* settings = tabs->settingsViewController();
        USER_CLICK(tabs->settingsButton());
        USER_INPUT_STEP(openSettingsRow(1));
        PreferencesViewController* page = settings->preferencesViewController();
        // The switch is turned on: its track's accent then fills its middle, not its border.
        const std::pair<QWidget*, Mouse> steps[] = {
            {page->autoFavoritesSwitch(), Mouse::Click},
            {page->doNotDisturbModeControl()->segmentButton(1), Mouse::Click},
            {page->dateFormatButton(), Mouse::Wheel},
        };
        for (const auto& [control, mouse] : steps) {
            USER_INPUT_STEP(mouseAfterTab(control, mouse));
        }
        QVERIFY(page->autoFavoritesSwitch()->isChecked());
        USER_CLICK(settings->navigationController()->navigationBar()->leftButton());
        settings->navigationController()->finishPendingSlide();
        USER_INPUT_STEP(openSettingsRow(0));
        USER_INPUT_STEP(
            mouseAfterTab(settings->navigationController()->navigationBar()->rightButton(), Mouse::Click));
    }

private:
    // The settings list's row, clicked; its page slides in.
    bool openSettingsRow(int row) {
        SettingsViewController* settings = m_ui->delegate().tabBarController()->settingsViewController();
        KTTableView* rows = settings->tableView();
        const bool clicked =
            UserInput::clickAt(rows->viewport(), rows->visualRect(rows->model()->index(row, 0)).center());
        settings->navigationController()->finishPendingSlide();
        return clicked;
    }

    enum class Mouse { Click, Wheel };

    // Tab shows a frame somewhere; then the click on the control, or a wheel notch over it, moves
    // focus to it, framed not.
    bool mouseAfterTab(QWidget* control, Mouse mouse) {
        if (!UserInput::press(Qt::Key_Tab)) {
            return false;
        }
        QWidget* tabbed = QApplication::focusWidget();
        if (tabbed == nullptr || tabbed == control || !TabWalk::framed(tabbed)) {
            QTest::qFail("Tab showed no frame, or on the control itself", __FILE__, __LINE__);
            return false;
        }
        const bool done = mouse == Mouse::Click ? UserInput::click(control)
                                                : UserInput::wheelAt(control, control->rect().center(), 1);
        if (!done) {
            return false;
        }
        if (QApplication::focusWidget() != control || TabWalk::framed(control)) {
            QTest::qFail(
                qPrintable(UserInput::describe(control) + QStringLiteral(" has no focus, or a frame")),
                __FILE__, __LINE__);
            return false;
        }
        return true;
    }

    // A call on the line, answered, whose screen comes over the window; its navigation, or null
    // when it did not come.
    KTNavigationController* startCall(int phoneType) {
        AppDelegate& shell = m_ui->delegate();
        if (phoneType == PhoneType::VOIP) {
            m_ui->feed(party + "1;ACTIVE:201:0:0");
            return m_ui->voipShowing() ? shell.activeCallNavigationController() : nullptr;
        }
        m_ui->connectProfile(PhoneType::TELCO);
        m_ui->dispatchRecord(NotificationType::CONNECTION, "CONNECTED");
        m_ui->feed(telco + "RING 1");
        m_ui->feed(telco + "HOOK 1");
        return m_ui->telcoShowing() ? shell.telcoActiveCallNavigationController() : nullptr;
    }

    Part partOf(QWidget* stop, KTNavigationController* front) const {
        TabBarController* tabs = m_ui->delegate().tabBarController();
        if (m_ui->delegate().toolbarView()->isAncestorOf(stop)) {
            return Part::Toolbar;
        }
        if (front->navigationBar()->view()->isAncestorOf(stop)) {
            return Part::PageBar;
        }
        if (tabs->bottomBarView()->isAncestorOf(stop)) {
            return Part::TabBar;
        }
        // The strips below the Dialer's keys: its custom buttons and the Keypad / SIP URI switch.
        const DialerViewController* dialer = tabs->dialerViewController();
        if (dialer->customButtonsView()->isAncestorOf(stop) || dialer->bottomBarView()->isAncestorOf(stop)) {
            return Part::PageFoot;
        }
        return Part::Page;
    }

    std::unique_ptr<UiHarness> m_ui;
};

TESSMARK_QTEST(FocusWalkTest)
#include "FocusWalkTest.moc"
