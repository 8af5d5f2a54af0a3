#include "Logic/store/CPPPreferencesSettingsTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

CPPPreferencesSettingsTable& CPPPreferencesSettingsTable::getInstance() {
    static CPPPreferencesSettingsTable* const instance = new CPPPreferencesSettingsTable;
    return *instance;
}

bool CPPPreferencesSettingsTable::createTable() {
    CPPDatabase& database = CPPDatabase::getInstance();
    if (!database.execute(
            "create table if not exists PreferencesSettings(id integer primary key autoincrement, "
            "sharesPhoneBook integer, expandsPhoneBookEntries integer, "
            "automaticallyManagesFavorites integer, mostFrequentlyCalledNumbers integer, "
            "dateFormat text, timeFormat text, defaultHomeScreen text, doNotDisturbMode integer, "
            "sortPhoneBookBy integer, sortFavoriteBy integer, disabledScreenSaved integer )",
            nullptr))
        return false;
    Rows rows;
    // An unreadable table is left alone rather than given a second row.
    if (!database.execute("select * from PreferencesSettings", &rows) || !rows.empty())
        return true;
    return database.execute(
        "insert into PreferencesSettings(sharesPhoneBook, expandsPhoneBookEntries, "
        "automaticallyManagesFavorites, mostFrequentlyCalledNumbers, dateFormat, timeFormat, "
        "defaultHomeScreen, doNotDisturbMode, sortPhoneBookBy, sortFavoriteBy,disabledScreenSaved) "
        "values(0, 1, 0, 5, 'Day, Month Date, Year', 'HH:MM AM/PM', 'Favorites', 1, 0, 0, 0)",
        nullptr);
}

CPPPreferencesSettings CPPPreferencesSettingsTable::get() {
    CPPPreferencesSettings preferences;
    Rows rows;
    if (!CPPDatabase::getInstance().execute("select * from PreferencesSettings", &rows) || rows.size() != 1)
        return preferences;
    const Row& row = rows.front();
    preferences.setId(columnInt(row, "id"));
    preferences.setSharesPhoneBook(columnInt(row, "sharesPhoneBook") != 0);
    preferences.setExpandsPhoneBookEntries(columnInt(row, "expandsPhoneBookEntries") != 0);
    preferences.setAutomaticallyManagesFavorites(columnInt(row, "automaticallyManagesFavorites") != 0);
    preferences.setMostFrequentlyCalledNumbers(columnInt(row, "mostFrequentlyCalledNumbers"));
    preferences.setDateFormat(columnText(row, "dateFormat"));
    preferences.setTimeFormat(columnText(row, "timeFormat"));
    preferences.setDefaultHomeScreen(columnText(row, "defaultHomeScreen"));
    preferences.setDoNotDisturbMode(
        static_cast<CPPPreferencesSettings::DoNotDisturbMode>(columnInt(row, "doNotDisturbMode")));
    preferences.setSortPhoneBookBy(
        static_cast<CPPPreferencesSettings::SortOrder>(columnInt(row, "sortPhoneBookBy")));
    preferences.setSortFavoriteBy(
        static_cast<CPPPreferencesSettings::SortOrder>(columnInt(row, "sortFavoriteBy")));
    preferences.setDisabledScreenSaved(columnInt(row, "disabledScreenSaved") != 0);
    return preferences;
}

bool CPPPreferencesSettingsTable::update(const CPPPreferencesSettings& preferences) {
    if (anyContainsNul(
            {preferences.getDateFormat(), preferences.getTimeFormat(), preferences.getDefaultHomeScreen()}))
        return false;
    int32_t changedRows = 0;
    if (!CPPDatabase::getInstance().executeUpdate(
            "update PreferencesSettings set sharesPhoneBook=" + toString(preferences.getSharesPhoneBook()) +
                ", expandsPhoneBookEntries=" + toString(preferences.getExpandsPhoneBookEntries()) +
                ", automaticallyManagesFavorites=" +
                toString(preferences.getAutomaticallyManagesFavorites()) +
                ", mostFrequentlyCalledNumbers=" + toString(preferences.getMostFrequentlyCalledNumbers()) +
                ", dateFormat=" + sqlQuote(preferences.getDateFormat()) +
                ", timeFormat=" + sqlQuote(preferences.getTimeFormat()) +
                ", defaultHomeScreen=" + sqlQuote(preferences.getDefaultHomeScreen()) +
                ", doNotDisturbMode=" + toString(preferences.getDoNotDisturbMode()) +
                ", sortPhoneBookBy=" + toString(preferences.getSortPhoneBookBy()) +
                ", sortFavoriteBy=" + toString(preferences.getSortFavoriteBy()) + ", disabledScreenSaved=" +
                toString(preferences.getDisabledScreenSaved()) + " where id=" + toString(preferences.getId()),
            changedRows))
        return false;
    return changedRows > 0;
}
