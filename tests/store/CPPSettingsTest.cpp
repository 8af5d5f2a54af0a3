#include "Logic/store/CPPCallForwardingSettingsManager.h"
#include "Logic/store/CPPPreferencesSettingsManager.h"
#include "Logic/store/CPPSecuritySettingsManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

const std::string preferencesRow = "1|0|1|0|5|Day, Month Date, Year|HH:MM AM/PM|Favorites|1|0|0|0";

// Starts without the settings tables, as a new file does.
class SettingsStore : public DatabaseFixture {
protected:
    std::string storedPreferences() {
        Rows rows = select("select * from PreferencesSettings");
        if (rows.size() != 1)
            return std::to_string(rows.size()) + " rows";
        std::string text;
        for (const char* column :
             {"id", "sharesPhoneBook", "expandsPhoneBookEntries", "automaticallyManagesFavorites",
              "mostFrequentlyCalledNumbers", "dateFormat", "timeFormat", "defaultHomeScreen",
              "doNotDisturbMode", "sortPhoneBookBy", "sortFavoriteBy", "disabledScreenSaved"})
            text += (text.empty() ? "" : "|") + rows[0][column];
        return text;
    }
    size_t tracedInserts() {
        size_t count = 0;
        for (const std::string& statement : trace())
            count += statement.rfind("insert", 0) == 0 ? 1 : 0;
        return count;
    }
};

TEST_F(SettingsStore, NewFilesGetOneDefaultRowEach) {
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "create table if not exists PreferencesSettings(id integer primary key autoincrement, "
            "sharesPhoneBook integer, expandsPhoneBookEntries integer, automaticallyManagesFavorites "
            "integer, "
            "mostFrequentlyCalledNumbers integer, dateFormat text, timeFormat text, defaultHomeScreen text, "
            "doNotDisturbMode integer, sortPhoneBookBy integer, sortFavoriteBy integer, disabledScreenSaved "
            "integer )",
            "select * from PreferencesSettings",
            "insert into PreferencesSettings(sharesPhoneBook, expandsPhoneBookEntries, "
            "automaticallyManagesFavorites, mostFrequentlyCalledNumbers, dateFormat, timeFormat, "
            "defaultHomeScreen, doNotDisturbMode, sortPhoneBookBy, sortFavoriteBy,disabledScreenSaved) "
            "values(0, 1, 0, 5, 'Day, Month Date, Year', 'HH:MM AM/PM', 'Favorites', 1, 0, 0, 0)",
            "create table if not exists SecuritySettings(id integer primary key autoincrement, "
            "passwordProtected integer, password text)",
            "select * from SecuritySettings",
            "insert into SecuritySettings(passwordProtected, password) values(0, '')",
        }));
    EXPECT_EQ(storedPreferences(), preferencesRow);
    EXPECT_EQ(scalar("select id || '|' || passwordProtected || '|' || password from SecuritySettings"),
              "1|0|");

    // The record the table reads equals a new record apart from its id.
    const CPPPreferencesSettings read = CPPPreferencesSettingsManager::getInstance().preferencesSettings();
    const CPPPreferencesSettings fresh;
    EXPECT_EQ(read.getId(), 1);
    EXPECT_EQ(read.getExpandsPhoneBookEntries(), fresh.getExpandsPhoneBookEntries());
    EXPECT_EQ(read.getMostFrequentlyCalledNumbers(), fresh.getMostFrequentlyCalledNumbers());
    EXPECT_EQ(read.getDateFormat() + read.getTimeFormat() + read.getDefaultHomeScreen(),
              fresh.getDateFormat() + fresh.getTimeFormat() + fresh.getDefaultHomeScreen());
    EXPECT_EQ(read.getDoNotDisturbMode(), fresh.getDoNotDisturbMode());
    EXPECT_EQ(CPPSecuritySettingsManager::getInstance().securitySettings().getId(), 1);

    clearTrace();
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
    EXPECT_EQ(tracedInserts(), 0U);
}

TEST_F(SettingsStore, UpdatesWriteEveryFieldByIdAndReadBack) {
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
    CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    preferences.setAutomaticallyManagesFavorites(true);
    preferences.setMostFrequentlyCalledNumbers(10);
    preferences.setDateFormat("DD/MM/YY");
    preferences.setDoNotDisturbMode(CPPPreferencesSettings::DoNotDisturbMode{2});
    preferences.setSortFavoriteBy(CPPPreferencesSettings::SortOrder{-1});
    CPPSecuritySettings security = CPPSecuritySettingsTable::getInstance().get();
    security.setPasswordProtected(true);
    security.setPassword(" se'cr\"et, ü ");
    clearTrace();
    ASSERT_TRUE(CPPPreferencesSettingsManager::getInstance().updatePreferencesSettings(preferences));
    ASSERT_TRUE(CPPSecuritySettingsManager::getInstance().updateSecuritySettings(security));
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "update PreferencesSettings set sharesPhoneBook=0, expandsPhoneBookEntries=1, "
            "automaticallyManagesFavorites=1, mostFrequentlyCalledNumbers=10, dateFormat='DD/MM/YY', "
            "timeFormat='HH:MM AM/PM', defaultHomeScreen='Favorites', doNotDisturbMode=2, sortPhoneBookBy=0, "
            "sortFavoriteBy=-1, disabledScreenSaved=0 where id=1",
            "update SecuritySettings set passwordProtected=1, password=' se''cr\"et, ü ' where id=1",
        }));
    const CPPPreferencesSettings read = CPPPreferencesSettingsTable::getInstance().get();
    EXPECT_EQ(read.getMostFrequentlyCalledNumbers(), 10);
    EXPECT_EQ(read.getDateFormat(), "DD/MM/YY");
    EXPECT_EQ(read.getDoNotDisturbMode(), 2);
    EXPECT_EQ(read.getSortFavoriteBy(), -1);
    EXPECT_EQ(CPPSecuritySettingsTable::getInstance().get().getPassword(), " se'cr\"et, ü ");
    // Writing the same values again still finds its row.
    EXPECT_TRUE(CPPPreferencesSettingsTable::getInstance().update(read));

    preferences.setDefaultHomeScreen("x'); delete from PreferencesSettings; --");
    preferences.setTimeFormat("h'mm \"ü\", x");
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().update(preferences));
    const CPPPreferencesSettings quoted = CPPPreferencesSettingsTable::getInstance().get();
    EXPECT_EQ(quoted.getDefaultHomeScreen(), preferences.getDefaultHomeScreen());
    EXPECT_EQ(quoted.getTimeFormat(), "h'mm \"ü\", x");
}

// An update that finds no row reports it, where it used to claim success.
TEST_F(SettingsStore, UpdatesOfAMissingRowAnswerFalse) {
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
    run("insert into PreferencesSettings(id) values(2)");
    run("insert into SecuritySettings(id) values(2)");
    const CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    const CPPSecuritySettings security = CPPSecuritySettingsTable::getInstance().get();
    EXPECT_EQ(preferences.getId(), 0);
    EXPECT_TRUE(preferences.getExpandsPhoneBookEntries());
    EXPECT_EQ(security.getId(), 0);
    EXPECT_FALSE(CPPPreferencesSettingsTable::getInstance().update(preferences));
    EXPECT_FALSE(CPPSecuritySettingsTable::getInstance().update(security));
}

TEST_F(SettingsStore, NulIsRefusedBeforeAnyStatement) {
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
    CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    preferences.setTimeFormat(std::string("a\0b", 3));
    CPPSecuritySettings security = CPPSecuritySettingsTable::getInstance().get();
    security.setPassword(std::string("\0", 1));
    clearTrace();
    EXPECT_FALSE(CPPPreferencesSettingsTable::getInstance().update(preferences));
    EXPECT_FALSE(CPPSecuritySettingsTable::getInstance().update(security));
    EXPECT_TRUE(trace().empty());
}

// A row older than disabledScreenSaved reads it as false; the full update names the missing
// column and fails.
TEST_F(SettingsStore, OlderTablesReadButCannotBeUpdated) {
    run("create table PreferencesSettings(id integer primary key autoincrement, sharesPhoneBook integer, "
        "expandsPhoneBookEntries integer, automaticallyManagesFavorites integer, mostFrequentlyCalledNumbers "
        "integer, dateFormat text, timeFormat text, defaultHomeScreen text, doNotDisturbMode integer, "
        "sortPhoneBookBy integer, sortFavoriteBy integer)");
    run("insert into PreferencesSettings(mostFrequentlyCalledNumbers, dateFormat) values('abc', NULL)");
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
    const CPPPreferencesSettings read = CPPPreferencesSettingsTable::getInstance().get();
    EXPECT_EQ(read.getId(), 1);
    EXPECT_FALSE(read.getDisabledScreenSaved());
    EXPECT_FALSE(read.getExpandsPhoneBookEntries());
    EXPECT_EQ(read.getMostFrequentlyCalledNumbers(), 0);
    EXPECT_EQ(read.getDateFormat(), "");
    EXPECT_FALSE(CPPPreferencesSettingsTable::getInstance().update(read));
}

TEST_F(SettingsStore, FailedReadsGiveDefaultsAndCreateDoesNotInsert) {
    EXPECT_EQ(CPPPreferencesSettingsTable::getInstance().get().getId(), 0);
    EXPECT_EQ(CPPSecuritySettingsTable::getInstance().get().getPassword(), "");
    EXPECT_FALSE(CPPPreferencesSettingsTable::getInstance().update(CPPPreferencesSettings()));
    ASSERT_TRUE(database().close());
    EXPECT_FALSE(CPPPreferencesSettingsTable::getInstance().createTable());
    EXPECT_FALSE(CPPSecuritySettingsTable::getInstance().createTable());
    ASSERT_TRUE(database().open(databasePath()));
}

TEST_F(SettingsStore, CallForwardingKeepsNothingAndRunsNoStatement) {
    ASSERT_TRUE(database().close());
    CPPCallForwardingSettings settings;
    settings.setForwardsCalls(true);
    settings.setContactID(7);
    settings.setForwardingType(CPPCallForwardingSettings::ForwardingType{2});
    CPPCallForwardingSettingsManager& manager = CPPCallForwardingSettingsManager::getInstance();
    EXPECT_TRUE(manager.updateCallForwardingSettings(settings));
    const CPPCallForwardingSettings read = manager.callForwardingSettings();
    EXPECT_EQ(read.getId(), 0);
    EXPECT_FALSE(read.getForwardsCalls());
    EXPECT_EQ(read.getContactID(), 0);
    EXPECT_EQ(read.getForwardingType(), 0);
    EXPECT_TRUE(trace().empty());
    ASSERT_TRUE(database().open(databasePath()));
}

} // namespace
