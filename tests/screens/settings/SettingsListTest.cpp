#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/ToolbarController.h"
#include "Platform/Paths.h"
#include "Screens/settings/AboutViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/SecurityViewController.h"
#include "Screens/settings/SettingsCellView.h"
#include "Screens/settings/SettingsViewController.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace SettingsFixture;

// The root of the Settings tab, the direct opening of the connection list, and About.
class SettingsListTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // A press on a row pushes its page, made once and reused; the back button comes back.
    void rowsPushTheirPages() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SettingsViewController* list = tab.list();
        // The window opened the list directly, as no profile connects at start-up; its back
        // button handed the window back before it popped.
        QCOMPARE(ui.posts().count(QStringLiteral("backToCurrentTab")), 1);
        QVERIFY(!list->connectionViewController()->standalone());
        QCOMPARE(tab.bar()->barTitle()->text(), QStringLiteral("Settings"));
        QVERIFY(tab.bar()->leftButton()->isHidden());
        QVERIFY(tab.bar()->rightButton()->isHidden());
        QStringList titles;
        for (SettingsCellView* cell : list->menuViews()) {
            titles.append(cell->settingsNameField()->text());
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("Connection"), QStringLiteral("Preferences"),
                                      QStringLiteral("Phone Book"), QStringLiteral("Security"),
                                      QStringLiteral("About")}));

        const std::vector<std::pair<ViewController*, QString>> pages{
            {list->connectionViewController(), QStringLiteral("Connections")},
            {list->preferencesViewController(), QStringLiteral("Preferences")},
            {list->phoneBookSettingsViewController(), QStringLiteral("Phone Book")},
            {list->securityViewController(), QStringLiteral("Security")},
            {list->aboutViewController(), QStringLiteral("About")}};
        for (int row = 0; row < 5; ++row) {
            for (int visit = 0; visit < 2; ++visit) {
                QVERIFY(clickRow(list->tableView(), row));
                tab.settle();
                QCOMPARE(tab.top(), pages[size_t(row)].first);
                QCOMPARE(tab.bar()->barTitle()->text(), pages[size_t(row)].second);
                QVERIFY(tab.clickBack());
                QCOMPARE(tab.top(), list);
            }
        }
        // The row press never made the list standalone: its back button popped it above.
        QVERIFY(!list->connectionViewController()->standalone());
    }

    // Opened directly (start-up, the toolbar's button), the list ends on top of the root alone
    // and standalone, from wherever the stack stood; the moves slide.
    void openConnectionSettings_data() {
        QTest::addColumn<int>("openPage");
        QTest::newRow("from the list") << -1;
        QTest::newRow("from Preferences") << 1;
        QTest::newRow("with the list on top") << 0;
    }
    void openConnectionSettings() {
        QFETCH(int, openPage);
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SettingsViewController* list = tab.list();
        if (openPage >= 0) {
            QVERIFY(clickRow(list->tableView(), openPage));
            tab.settle();
        }
        ConnectionViewController* connections = list->connectionViewController();
        QVERIFY(!connections->standalone());
        USER_CLICK(ui.delegate().toolbarController()->connectionButton());
        QCOMPARE(tab.stack()->hasPendingSlide(), openPage != 0);
        tab.settle();
        QCOMPARE(tab.stack()->viewControllers(), (std::vector<ViewController*>{list, connections}));
        QVERIFY(connections->standalone());
    }

    // Typing left on the Security page is dropped by the direct opening; the next visit shows
    // what is stored.
    void directOpeningDropsUnsavedSecurityTyping() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        SecurityViewController* security = tab.list()->securityViewController();
        QVERIFY(tab.open(security));
        USER_REPLACE_TEXT(security->enterPasswordField(), QStringLiteral("typed"));
        USER_CLICK(ui.delegate().toolbarController()->connectionButton());
        tab.settle();
        QCOMPARE(tab.top(), tab.list()->connectionViewController());
        QVERIFY(tab.showRoot());
        QVERIFY(tab.open(security));
        QCOMPARE(security->enterPasswordField()->text(), QString());
    }

    // The version is the build's, shown bare.
    void aboutShowsTheBareVersion() {
        QCoreApplication::setApplicationVersion(QString::fromStdString(Platform::Paths::version()));
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        QVERIFY(tab.open(tab.list()->aboutViewController()));
        QCOMPARE(tab.list()->aboutViewController()->versionField()->text(),
                 QString::fromStdString(Platform::Paths::version()));
        QVERIFY(!QString::fromStdString(Platform::Paths::version()).isEmpty());
    }
};

TESSMARK_QTEST(SettingsListTest)
#include "SettingsListTest.moc"
