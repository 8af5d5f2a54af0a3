#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Screens/settings/PreferencesViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/SettingsWidgets.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QTest>

using namespace SettingsFixture;

namespace {

PreferencesSettings stored() {
    return *PreferencesSettingsManager::preferencesSettings();
}

// Every field of the record, to see that an action touched only its own.
QStringList fieldsOf(const PreferencesSettings& preferences) {
    return {QString::number(preferences.automaticallyManagesFavorites()),
            QString::number(preferences.mostFrequentlyCalledNumbers()),
            QString::fromStdString(preferences.dateFormat()),
            QString::fromStdString(preferences.timeFormat()),
            QString::fromStdString(preferences.defaultHomeScreen()),
            QString::number(preferences.doNotDisturbMode()),
            QString::number(preferences.sharesPhoneBook()),
            QString::number(preferences.expandsPhoneBookEntries()),
            QString::number(preferences.phoneBookSortingOrder()),
            QString::number(preferences.favoriteSortingOrder()),
            QString::number(preferences.disabledScreenSaved())};
}

} // namespace

// The Preferences page: each control stores its one field at once.
class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    void showsTheStoredRecord() {
        PreferencesSettings preferences = stored();
        preferences.setAutomaticallyManagesFavorites(true);
        preferences.setMostFrequentlyCalledNumbers(15);
        preferences.setDateFormat("DD/MM/YY");
        preferences.setTimeFormat("HH:MM (24 Hour Clock)");
        preferences.setDefaultHomeScreen("Dialer/SIP URI");
        preferences.setDoNotDisturbMode(2);
        PreferencesSettingsManager::updatePreferencesSettings(preferences);
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        PreferencesViewController* page = tab.list()->preferencesViewController();
        QVERIFY(tab.open(page));
        QCOMPARE(page->autoFavoritesSwitch()->state(), KTSwitch::On);
        QCOMPARE(page->frequenlyCalledNumbersButton()->currentText(), QStringLiteral("15"));
        QCOMPARE(page->dateFormatButton()->currentText(), QStringLiteral("DD/MM/YY"));
        QCOMPARE(page->timeFormatButton()->currentText(), QStringLiteral("HH:MM (24 Hour Clock)"));
        QCOMPARE(page->defaultHomeScreenButton()->currentText(), QStringLiteral("Dialer/SIP URI"));
        QCOMPARE(page->doNotDisturbModeControl()->selectedSegment(), 1);
        QCOMPARE(page->frequenlyCalledNumbersButton()->count(), 5);
        QCOMPARE(tabOrder(page->view()), readingOrder(tabOrder(page->view())));
    }

    // Each user action reads the record, sets its one field and writes it; only the two
    // formats tell the clock.
    void eachControlStoresItsOwnField_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("formatPosts");
        QTest::newRow("switch") << 0 << 0 << QStringLiteral("1") << 0;
        QTest::newRow("most called") << 1 << 1 << QStringLiteral("10") << 0;
        QTest::newRow("date") << 2 << 2 << QStringLiteral("Day, Date Month, Year") << 1;
        QTest::newRow("time") << 3 << 3 << QStringLiteral("HH:MM:SS AM/PM") << 1;
        QTest::newRow("home") << 4 << 4 << QStringLiteral("Dialer/Keypad") << 0;
        QTest::newRow("do not disturb") << 5 << 5 << QStringLiteral("2") << 0;
    }
    void eachControlStoresItsOwnField() {
        QFETCH(int, control);
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(int, formatPosts);
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        PreferencesViewController* page = tab.list()->preferencesViewController();
        QVERIFY(tab.open(page));
        QStringList expected = fieldsOf(stored());
        expected[field] = value;
        ui.posts().clear();
        switch (control) {
        case 0:
            USER_CLICK(page->autoFavoritesSwitch());
            break;
        case 5:
            USER_CLICK(page->doNotDisturbModeControl()->segmentButton(1));
            break;
        default: {
            QComboBox* buttons[] = {nullptr, page->frequenlyCalledNumbersButton(), page->dateFormatButton(),
                                    page->timeFormatButton(), page->defaultHomeScreenButton()};
            QComboBox* button = buttons[control];
            USER_CHOOSE(button, button->currentIndex() + 1);
        }
        }
        QCOMPARE(fieldsOf(stored()), expected);
        QCOMPARE(ui.posts().count(QStringLiteral("dateTimeFormatChanged")), formatPosts);
        QCOMPARE(ui.posts().screenPosts().size(), formatPosts);
    }

    // Choosing the item already shown is a choice too: stored and told again.
    void rechoosingTheShownFormatPostsAgain() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        PreferencesViewController* page = tab.list()->preferencesViewController();
        QVERIFY(tab.open(page));
        ui.posts().clear();
        QComboBox* dates = page->dateFormatButton();
        USER_CHOOSE(dates, dates->currentIndex());
        QCOMPARE(ui.posts().count(QStringLiteral("dateTimeFormatChanged")), 1);
        QCOMPARE(stored().dateFormat(), std::string("Day, Month Date, Year"));
    }

    // A stored mode 0 shows the reject segment and stays 0 until the user picks one.
    void storedModeZeroShowsRejectAndStays() {
        PreferencesSettings preferences = stored();
        preferences.setDoNotDisturbMode(0);
        PreferencesSettingsManager::updatePreferencesSettings(preferences);
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        PreferencesViewController* page = tab.list()->preferencesViewController();
        QVERIFY(tab.open(page));
        QCOMPARE(page->doNotDisturbModeControl()->selectedSegment(), 1);
        USER_CLICK(page->autoFavoritesSwitch());
        QCOMPARE(stored().doNotDisturbMode(), 0);
        USER_CLICK(page->doNotDisturbModeControl()->segmentButton(0));
        QCOMPARE(stored().doNotDisturbMode(), 1);
    }
};

TESSMARK_QTEST(PreferencesTest)
#include "PreferencesTest.moc"
