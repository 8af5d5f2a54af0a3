#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The preferences as the screens edit them: read one, change it, hand it back to update.
// A model made here expands no phone book entries; the stored defaults do (see the manager).
class PreferencesSettings {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    bool sharesPhoneBook() const { return m_sharesPhoneBook; }
    void setSharesPhoneBook(bool shares) { m_sharesPhoneBook = shares; }
    bool expandsPhoneBookEntries() const { return m_expandsPhoneBookEntries; }
    void setExpandsPhoneBookEntries(bool expands) { m_expandsPhoneBookEntries = expands; }
    bool automaticallyManagesFavorites() const { return m_automaticallyManagesFavorites; }
    void setAutomaticallyManagesFavorites(bool manages) { m_automaticallyManagesFavorites = manages; }
    int64_t mostFrequentlyCalledNumbers() const { return m_mostFrequentlyCalledNumbers; }
    void setMostFrequentlyCalledNumbers(int64_t count) { m_mostFrequentlyCalledNumbers = count; }
    const std::string& dateFormat() const { return m_dateFormat; }
    void setDateFormat(const std::string& format) { m_dateFormat = format; }
    const std::string& timeFormat() const { return m_timeFormat; }
    void setTimeFormat(const std::string& format) { m_timeFormat = format; }
    const std::string& defaultHomeScreen() const { return m_defaultHomeScreen; }
    void setDefaultHomeScreen(const std::string& screen) { m_defaultHomeScreen = screen; }
    // 1 call mute, 2 call reject.
    int64_t doNotDisturbMode() const { return m_doNotDisturbMode; }
    void setDoNotDisturbMode(int64_t mode) { m_doNotDisturbMode = mode; }
    // Stored as sortPhoneBookBy.
    int64_t phoneBookSortingOrder() const { return m_phoneBookSortingOrder; }
    void setPhoneBookSortingOrder(int64_t order) { m_phoneBookSortingOrder = order; }
    // Stored as sortFavoriteBy.
    int64_t favoriteSortingOrder() const { return m_favoriteSortingOrder; }
    void setFavoriteSortingOrder(int64_t order) { m_favoriteSortingOrder = order; }
    bool disabledScreenSaved() const { return m_disabledScreenSaved; }
    void setDisabledScreenSaved(bool disabled) { m_disabledScreenSaved = disabled; }

private:
    int64_t m_id = 0;
    bool m_sharesPhoneBook = false;
    bool m_expandsPhoneBookEntries = false;
    bool m_automaticallyManagesFavorites = false;
    int64_t m_mostFrequentlyCalledNumbers = 5;
    std::string m_dateFormat = "Day, Month Date, Year";
    std::string m_timeFormat = "HH:MM AM/PM";
    std::string m_defaultHomeScreen = "Favorites";
    int64_t m_doNotDisturbMode = 1;
    int64_t m_phoneBookSortingOrder = 0;
    int64_t m_favoriteSortingOrder = 0;
    bool m_disabledScreenSaved = false;
};

using PreferencesSettingsPtr = std::shared_ptr<PreferencesSettings>;
