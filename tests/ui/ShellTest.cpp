#include "App/InputPasswordViewController.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/TitleBarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/SecuritySettings.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Logic/common/Codes.h"
#include "Screens/settings/SettingsViewController.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

void setPreferences(const std::string& home, const std::string& date = "Day, Month Date, Year",
                    const std::string& time = "HH:MM AM/PM") {
    PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    preferences->setDefaultHomeScreen(home);
    preferences->setDateFormat(date);
    preferences->setTimeFormat(time);
    PreferencesSettingsManager::updatePreferencesSettings(*preferences);
}

void setPassword(const std::string& password) {
    SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    security->setPasswordProtected(true);
    security->setPassword(password);
    SecuritySettingsManager::updateSecuritySettings(*security);
}

void storeAutoConnectProfile() {
    ConnectionSettings profile = *UiHarness::testProfile(PhoneType::VOIP);
    profile.setIsAutoConnect(true);
    ConnectionSettingsManager::addConnectionSettings(profile);
}

} // namespace

// Start-up, the tabs with their settings password, and the clock.
class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void init() { UiHarness::resetStore(); }

    // Without an auto-connect profile the window opens at the connection list.
    void startUpWithoutAutoConnectOpensTheConnectionList() {
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        QVERIFY(TabBarController::isOn(tabs->settingsButton()));
        QCOMPARE(tabs->viewControllers()[TabBarController::Settings]->navigationBar()->barTitle()->text(),
                 QStringLiteral("Connections"));
        QCOMPARE(OverlayHost::of(tabs->contentView()).topmost(),
                 tabs->viewControllers()[TabBarController::Settings]->view());
        // Neither active-call screen is on screen after start-up.
        QCOMPARE(OverlayHost::of(ui.delegate().contentView()).topmost(), tabs->view());
        QCOMPARE(ui.delegate().dialToneLineParty(), CallRouting::NoParty);
        QCOMPARE(ui.delegate().callState(), CallRouting::Normal);
    }

    void defaultHomeScreen_data() {
        QTest::addColumn<QString>("home");
        QTest::addColumn<int>("tab");
        QTest::newRow("Favorites") << QStringLiteral("Favorites") << int(TabBarController::Favorites);
        QTest::newRow("keypad") << QStringLiteral("Dialer/Keypad") << int(TabBarController::Dialer);
        QTest::newRow("SIP URI") << QStringLiteral("Dialer/SIP URI") << int(TabBarController::Dialer);
        QTest::newRow("Phone Book") << QStringLiteral("Phone Book") << int(TabBarController::PhoneBook);
        QTest::newRow("anything else") << QStringLiteral("Logs") << int(TabBarController::Logs);
    }
    void defaultHomeScreen() {
        QFETCH(QString, home);
        QFETCH(int, tab);
        storeAutoConnectProfile();
        setPreferences(home.toStdString());
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        for (int other = 0; other < 5; ++other) {
            QCOMPARE(TabBarController::isOn(tabs->button(other)), other == tab);
        }
        QCOMPARE(OverlayHost::of(tabs->contentView()).topmost(),
                 tabs->viewControllers()[size_t(tab)]->view());
    }

    // With the settings password on, the prompt comes over the default tab, the list is pushed
    // already; a wrong password keeps the prompt open, the right one opens Settings. Return is
    // OK and Escape is Cancel.
    void theSettingsPasswordGuardsSettings() {
        setPassword("Secret");
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        InputPasswordViewController* prompt = tabs->passwordPrompt();
        QVERIFY(prompt != nullptr);
        QVERIFY(prompt->view()->isVisible());
        QVERIFY(TabBarController::isOn(tabs->favoritesButton()));
        QCOMPARE(tabs->viewControllers()[TabBarController::Settings]->navigationBar()->barTitle()->text(),
                 QStringLiteral("Connections"));

        USER_TYPE(QStringLiteral("secret"));
        USER_PRESS(Qt::Key_Return);
        QVERIFY(tabs->passwordPrompt() == prompt);
        QVERIFY(!tabs->validPassword());
        USER_REPLACE_TEXT(prompt->passwordField(), QStringLiteral("Secret"));
        USER_PRESS(Qt::Key_Return);
        QVERIFY(tabs->passwordPrompt() == nullptr);
        QVERIFY(tabs->validPassword());
        QVERIFY(TabBarController::isOn(tabs->settingsButton()));

        // Back to Settings from inside Settings needs no password; after another tab it does.
        USER_CLICK(tabs->settingsButton());
        QVERIFY(tabs->passwordPrompt() == nullptr);
        USER_CLICK(tabs->logsButton());
        QVERIFY(!tabs->validPassword());
        USER_CLICK(tabs->settingsButton());
        prompt = tabs->passwordPrompt();
        QVERIFY(prompt != nullptr);
        USER_PRESS(Qt::Key_Escape);
        QVERIFY(tabs->passwordPrompt() == nullptr);
        QVERIFY(TabBarController::isOn(tabs->logsButton()));

        // The connection button opens the list even when Settings only raised the prompt.
        ui.delegate()
            .tabBarController()
            ->viewControllers()[TabBarController::Settings]
            ->popToRootViewControllerAnimated(false);
        Post("openConnectionSettingsUsingConnectionButton");
        QVERIFY(tabs->passwordPrompt() != nullptr);
        QCOMPARE(tabs->viewControllers()[TabBarController::Settings]->navigationBar()->barTitle()->text(),
                 QStringLiteral("Connections"));
        QCOMPARE(tabs->currentSelectedButton(), tabs->logsButton());
    }

    // While the forwarding screen picks from the phone book, the tabs stay put; giving the
    // area back without a recorded tab picks the default home screen.
    void theForwardingPhoneBookHoldsTheTabs() {
        storeAutoConnectProfile();
        setPreferences("Phone Book");
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        USER_CLICK(tabs->logsButton());
        Post("openPhoneBookFromCallForwardingSettingsView");
        QVERIFY(
            OverlayHost::of(tabs->contentView()).isTopmost(tabs->phoneBookNavigationController2()->view()));
        QVERIFY(!tabs->favoritesButton()->isEnabled() && !tabs->settingsButton()->isEnabled());
        USER_CLICK(tabs->phoneBookButton());
        QVERIFY(TabBarController::isOn(tabs->logsButton()));
        QVERIFY(
            OverlayHost::of(tabs->contentView()).isTopmost(tabs->phoneBookNavigationController2()->view()));

        Post("backToCallForwardingSettingsView");
        QVERIFY(tabs->favoritesButton()->isEnabled());
        QVERIFY(TabBarController::isOn(tabs->logsButton()));
        QVERIFY(tabs->currentSelectedButton() == nullptr);
        // Nothing recorded any more: the default home screen.
        Post("backToCallForwardingSettingsView");
        QVERIFY(TabBarController::isOn(tabs->phoneBookButton()));
        Post("backToCurrentTab");
        QVERIFY(TabBarController::isOn(tabs->phoneBookButton()));
    }

    // The clock: date and time in the stored formats, in English, re-armed every second, and
    // a format change shown at the next tick.
    void theClockFollowsTheFormats() {
        storeAutoConnectProfile();
        UiHarness ui;
        ui.launch();
        TitleBarController* clock = ui.delegate().titleBarController();
        QCOMPARE(clock->systemDateTimeField()->text(), QStringLiteral("Sunday, December 6, 2026 10:12 AM"));
        QVERIFY(clock->isTicking());
        setPreferences("Favorites", "DD/MM/YYYY", "HH:MM (24 Hour Clock)");
        Post("dateTimeFormatChanged");
        QCOMPARE(clock->systemDateTimeField()->text(), QStringLiteral("Sunday, December 6, 2026 10:12 AM"));
        ui.clock().advanceSeconds(3600 * 12);
        clock->updateSystemDateTime();
        QCOMPARE(clock->systemDateTimeField()->text(), QStringLiteral("06/12/2026 22:12"));
        QVERIFY(clock->isTicking());
    }
};

TESSMARK_QTEST(ShellTest)
#include "ShellTest.moc"
