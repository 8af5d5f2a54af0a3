#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
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
        // The window opened the list directly, as no profile connects at start-up.
        QVERIFY(list->connectionViewController()->standalone());
        list->connectionViewController()->setStandalone(false);
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
                pressRow(list->tableView(), row);
                tab.settle();
                QCOMPARE(tab.top(), pages[size_t(row)].first);
                QCOMPARE(tab.bar()->barTitle()->text(), pages[size_t(row)].second);
                QVERIFY(!tab.bar()->leftButton()->isHidden());
                tab.clickLeft();
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
            pressRow(list->tableView(), openPage);
            tab.settle();
        }
        ConnectionViewController* connections = list->connectionViewController();
        connections->setStandalone(false);
        list->openConnectionSettings();
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
        tab.push(security);
        USER_REPLACE_TEXT(security->enterPasswordField(), QStringLiteral("typed"));
        tab.list()->openConnectionSettings();
        tab.settle();
        tab.stack()->popToRootViewControllerAnimated(false);
        tab.push(security);
        QCOMPARE(security->enterPasswordField()->text(), QString());
    }

    // The version is the build's, shown bare.
    void aboutShowsTheBareVersion() {
        QCoreApplication::setApplicationVersion(QString::fromStdString(Platform::Paths::version()));
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        tab.push(tab.list()->aboutViewController());
        QCOMPARE(tab.list()->aboutViewController()->versionField()->text(),
                 QString::fromStdString(Platform::Paths::version()));
        QVERIFY(!QString::fromStdString(Platform::Paths::version()).isEmpty());
    }
};

TESSMARK_QTEST(SettingsListTest)
#include "SettingsListTest.moc"
