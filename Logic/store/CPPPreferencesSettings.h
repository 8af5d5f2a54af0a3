#pragma once

#include <cstdint>
#include <string>

// The user's preferences, the one row of table "PreferencesSettings". A plain value; a new
// record holds the defaults of a new database.
class CPPPreferencesSettings {
public:
    // Neither enumeration has named values: the screens store 1 or 2 as the mode and 0 as
    // the sort order. Any int32 is carried unchanged.
    enum DoNotDisturbMode : int32_t {};
    enum SortOrder : int32_t {};

    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    bool getSharesPhoneBook() const { return m_sharesPhoneBook; }
    void setSharesPhoneBook(bool sharesPhoneBook) { m_sharesPhoneBook = sharesPhoneBook; }
    bool getExpandsPhoneBookEntries() const { return m_expandsPhoneBookEntries; }
    void setExpandsPhoneBookEntries(bool expands) { m_expandsPhoneBookEntries = expands; }
    bool getAutomaticallyManagesFavorites() const { return m_automaticallyManagesFavorites; }
    void setAutomaticallyManagesFavorites(bool manages) { m_automaticallyManagesFavorites = manages; }
    int32_t getMostFrequentlyCalledNumbers() const { return m_mostFrequentlyCalledNumbers; }
    void setMostFrequentlyCalledNumbers(int32_t count) { m_mostFrequentlyCalledNumbers = count; }
    std::string getDateFormat() const { return m_dateFormat; }
    void setDateFormat(const std::string& dateFormat) { m_dateFormat = dateFormat; }
    std::string getTimeFormat() const { return m_timeFormat; }
    void setTimeFormat(const std::string& timeFormat) { m_timeFormat = timeFormat; }
    std::string getDefaultHomeScreen() const { return m_defaultHomeScreen; }
    void setDefaultHomeScreen(const std::string& screen) { m_defaultHomeScreen = screen; }
    DoNotDisturbMode getDoNotDisturbMode() const { return m_doNotDisturbMode; }
    void setDoNotDisturbMode(DoNotDisturbMode mode) { m_doNotDisturbMode = mode; }
    SortOrder getSortPhoneBookBy() const { return m_sortPhoneBookBy; }
    void setSortPhoneBookBy(SortOrder order) { m_sortPhoneBookBy = order; }
    SortOrder getSortFavoriteBy() const { return m_sortFavoriteBy; }
    void setSortFavoriteBy(SortOrder order) { m_sortFavoriteBy = order; }
    bool getDisabledScreenSaved() const { return m_disabledScreenSaved; }
    void setDisabledScreenSaved(bool disabled) { m_disabledScreenSaved = disabled; }

private:
    int32_t m_id = 0;
    bool m_sharesPhoneBook = false;
    bool m_expandsPhoneBookEntries = true;
    bool m_automaticallyManagesFavorites = false;
    int32_t m_mostFrequentlyCalledNumbers = 5;
    std::string m_dateFormat = "Day, Month Date, Year";
    std::string m_timeFormat = "HH:MM AM/PM";
    std::string m_defaultHomeScreen = "Favorites";
    DoNotDisturbMode m_doNotDisturbMode = DoNotDisturbMode{1};
    SortOrder m_sortPhoneBookBy = SortOrder{0};
    SortOrder m_sortFavoriteBy = SortOrder{0};
    bool m_disabledScreenSaved = false;
};
