#include "App/Alert.h"
#include "App/KTNavigationController.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/SecuritySettings.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/SettingsWidgets.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QTest>
#include <QToolButton>

using namespace SettingsFixture;

// The Security page: its back button checks, stores, tells the tab bar and leaves.
class SecurityTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    void backChecksAndStores_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("informative");
        QTest::newRow("both empty") << true << text("") << text("") << text("Invalid Password")
                                    << text("Please enter security password");
        QTest::newRow("second empty") << true << text("abc") << text("") << text("Invalid Password")
                                      << text("Please enter security password");
        QTest::newRow("case differs") << true << text("abc") << text("ABC") << text("Password Mismatched")
                                      << text("Please re-enter security password");
        QTest::newRow("apostrophe") << true << text("pa'ss") << text("pa'ss") << text("") << text("");
        QTest::newRow("off keeps the first field") << false << text("x") << text("y") << text("") << text("");
    }
    void backChecksAndStores() {
        QFETCH(bool, on);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, message);
        QFETCH(QString, informative);
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SecurityViewController* page = tab.list()->securityViewController();
        QVERIFY(tab.open(page));
        QCOMPARE(page->activateButton()->state(), KTSwitch::Off);
        if (on) {
            USER_CLICK(page->activateButton());
        }
        USER_REPLACE_TEXT(page->enterPasswordField(), first);
        USER_REPLACE_TEXT(page->reEnterPasswordField(), second);
        ui.posts().clear();
        QVERIFY(tab.clickBack());

        const SecuritySettingsPtr stored = SecuritySettingsManager::securitySettings();
        if (!message.isEmpty()) {
            QCOMPARE(sheetCount(), 1);
            QCOMPARE(Alert::requests().back().messageText, message);
            QCOMPARE(Alert::requests().back().informativeText, informative);
            QCOMPARE(tab.top(), page);
            QCOMPARE(page->enterPasswordField()->text(), first);
            QVERIFY(!stored->passwordProtected());
            QCOMPARE(ui.posts().screenPosts().size(), 0);
            return;
        }
        QCOMPARE(sheetCount(), 0);
        QCOMPARE(stored->passwordProtected(), on);
        QCOMPARE(QString::fromStdString(stored->password()), first);
        QCOMPARE(ui.posts().screenPosts(), QStringList{QStringLiteral("securitySettingsChanged")});
        QCOMPARE(tab.top(), tab.list());
        // The tab bar heard it before the page went: Settings now asks for the password.
        TabBarController* tabs = ui.delegate().tabBarController();
        USER_CLICK(tabs->favoritesButton());
        USER_CLICK(tabs->settingsButton());
        QCOMPARE(tabs->passwordPrompt() != nullptr, on);
    }

    // A write the store refused is said; the page stays with what was typed, nothing posted.
    void failedSaveKeepsThePage() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SecurityViewController* page = tab.list()->securityViewController();
        QVERIFY(tab.open(page));
        USER_CLICK(page->activateButton());
        USER_REPLACE_TEXT(page->enterPasswordField(), QStringLiteral("a"));
        USER_REPLACE_TEXT(page->reEnterPasswordField(), QStringLiteral("a"));
        QVERIFY(runSql("delete from SecuritySettings"));
        ui.posts().clear();
        QVERIFY(tab.clickBack());
        QCOMPARE(lastSheetText(), QStringLiteral("Failed to save security settings"));
        QCOMPARE(Alert::requests().back().buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(tab.top(), page);
        QCOMPARE(page->reEnterPasswordField()->text(), QStringLiteral("a"));
        QCOMPARE(ui.posts().screenPosts().size(), 0);
    }

    // The fields follow the user's switch clicks only: a revisit with protection stored on
    // keeps them as the last click left them. A tab switch keeps what was typed.
    void fieldsFollowClicksAndTypingSurvivesATabSwitch() {
        SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
        security->setPasswordProtected(true);
        security->setPassword("kept");
        SecuritySettingsManager::updateSecuritySettings(*security);
        UiHarness ui;
        ui.launch();
        TabBarController* tabs = ui.delegate().tabBarController();
        SettingsTab tab(ui, QStringLiteral("kept"));
        SecurityViewController* page = tab.list()->securityViewController();
        QVERIFY(tab.open(page));
        QVERIFY(page->enterPasswordField()->isEnabled());
        USER_CLICK(page->activateButton());
        QVERIFY(!page->enterPasswordField()->isEnabled());
        // The toolbar's connection button takes the page off unsaved.
        USER_CLICK(ui.delegate().toolbarController()->connectionButton());
        QVERIFY(tab.showRoot());
        QVERIFY(tab.open(page));
        QCOMPARE(page->activateButton()->state(), KTSwitch::On);
        QVERIFY(!page->enterPasswordField()->isEnabled());
        USER_CLICK(page->activateButton());
        USER_CLICK(page->activateButton());
        QVERIFY(page->reEnterPasswordField()->isEnabled());

        USER_REPLACE_TEXT(page->enterPasswordField(), QStringLiteral("changing"));
        USER_CLICK(tabs->logsButton());
        QVERIFY(tab.show());
        QCOMPARE(tab.top(), page);
        QCOMPARE(page->enterPasswordField()->text(), QStringLiteral("changing"));
        QCOMPARE(tabOrder(page->view()), readingOrder(tabOrder(page->view())));
    }
};

TESSMARK_QTEST(SecurityTest)
#include "SecurityTest.moc"
