#include "Logic/bridge/CallForwardingSettingsManager.h"
#include "Logic/bridge/CallLogConversions.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/bridge/SecuritySettingsManager.h"
#include "support/CoreFixture.h"
#include "support/FakeClock.h"
#include "support/ScopedTimeZone.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace {

using std::chrono::system_clock;

class CallLogAndSettingsModelsTest : public OpenCoreFixture {
protected:
    static CPPCallLog record(const std::string& date, const std::string& time) {
        CPPCallLog entry;
        entry.setCallDate(date);
        entry.setStartTime(time);
        return entry;
    }

    static system_clock::time_point local(int year, int month, int day, int hour, int minute, int second) {
        std::tm moment{};
        moment.tm_year = year - 1900;
        moment.tm_mon = month - 1;
        moment.tm_mday = day;
        moment.tm_hour = hour;
        moment.tm_min = minute;
        moment.tm_sec = second;
        moment.tm_isdst = -1;
        return system_clock::from_time_t(std::mktime(&moment));
    }
};

TEST_F(CallLogAndSettingsModelsTest, StoredDayAndTimeOfDayBecomeLocalMomentsAndComeBackAsTheSameTexts) {
    // A zone with summer time, so a wrong guess of it shifts the moments by an hour.
    ScopedTimeZone zone("Europe/Zurich");
    struct Case {
        const char* date;
        const char* time;
        std::optional<system_clock::time_point> callDate;
        std::optional<system_clock::time_point> startTime;
    };
    const Case cases[] = {
        {"2026/01/05", "09:30:00", local(2026, 1, 5, 0, 0, 0), local(2000, 1, 1, 9, 30, 0)},
        {"2026/07/31", "23:59:59", local(2026, 7, 31, 0, 0, 0), local(2000, 1, 1, 23, 59, 59)},
        {"2024/02/29", "00:00:00", local(2024, 2, 29, 0, 0, 0), local(2000, 1, 1, 0, 0, 0)},
        {"", "", std::nullopt, std::nullopt},
        {"2026-01-05", "9:30", std::nullopt, std::nullopt},
        {"abc", "24:00:00", std::nullopt, std::nullopt},
        {"2025/02/29", "09:30:00 ", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        const CallLogPtr model = callLogFromCpp(record(c.date, c.time));
        EXPECT_EQ(model->callDate(), c.callDate);
        EXPECT_EQ(model->startTime(), c.startTime);
        const CPPCallLog back = callLogToCpp(*model);
        EXPECT_EQ(back.getCallDate(), c.callDate ? c.date : "");
        EXPECT_EQ(back.getStartTime(), c.startTime ? c.time : "");
    }
}

// A listing reads repeated days once and times of day from one midnight; each model must
// still equal the entry converted alone, on clock-change days and in a zone whose clocks
// change on the reference day itself.
TEST_F(CallLogAndSettingsModelsTest, AListingConvertsEachEntryAsItWouldAlone) {
    const char* const dates[] = {"2026/01/05", "2026/03/29", "2026/10/25", "2000/01/01", "", "2025/02/29"};
    const char* const times[] = {"00:00:00", "02:30:00", "11:59:59", "12:00:00", "12:30:00",
                                 "23:59:59", "24:00:00", "9:30",     ""};
    std::vector<CPPCallLog> records;
    for (const char* date : dates) {
        for (const char* time : times) {
            records.push_back(record(date, time));
            records.back().setCallNumber(std::string(date) + " " + time);
            records.back().setId(static_cast<int32_t>(records.size()));
            records.back().setCallDuration(-static_cast<int32_t>(records.size()));
            records.back().setCallType(static_cast<int32_t>(records.size() % 4));
            records.back().setContactName(time);
            records.back().setCompany(date);
        }
    }
    for (const char* zone : {"UTC0", "Europe/Zurich", "XST-1XDT,J1/12,J365/23"}) {
        SCOPED_TRACE(zone);
        ScopedTimeZone scoped(zone);
        const std::vector<CallLogPtr> listed = callLogsFromCpp(records);
        ASSERT_EQ(listed.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            SCOPED_TRACE(records[i].getCallNumber());
            const CallLogPtr alone = callLogFromCpp(records[i]);
            EXPECT_EQ(listed[i]->ID(), alone->ID());
            EXPECT_EQ(listed[i]->callNumber(), alone->callNumber());
            EXPECT_EQ(listed[i]->callDuration(), alone->callDuration());
            EXPECT_EQ(listed[i]->callType(), alone->callType());
            EXPECT_EQ(listed[i]->contactName() + listed[i]->company(),
                      alone->contactName() + alone->company());
            EXPECT_EQ(listed[i]->callDate(), alone->callDate());
            EXPECT_EQ(listed[i]->startTime(), alone->startTime());
        }
    }
}

TEST_F(CallLogAndSettingsModelsTest, NewEntryIsNowOnTheProgramsClock) {
    ScopedTimeZone zone("UTC");
    FakeClock clock(1767605400); // 2026-01-05 09:30:00 UTC
    const CallLog entry;
    EXPECT_EQ(entry.callDate(), system_clock::from_time_t(1767605400));
    const CPPCallLog stored = callLogToCpp(entry);
    EXPECT_EQ(stored.getCallDate(), "2026/01/05");
    EXPECT_EQ(stored.getStartTime(), "09:30:00");
    EXPECT_EQ(entry.ID() + entry.callDuration() + entry.callType(), 0);
}

TEST_F(CallLogAndSettingsModelsTest, EntriesListNewestFirstWithThePhoneBooksNames) {
    ScopedTimeZone zone("UTC");
    Contact ann("Ann", "", "Lee", "Acme");
    ann.numbers()[0]->setNumber("200");
    ASSERT_TRUE(ContactManager::addContact(ann));
    CallLog older(local(2026, 1, 5, 0, 0, 0), 30, "200@pbx", 2, "", "", local(2000, 1, 1, 9, 0, 0));
    CallLog newer(local(2026, 1, 5, 0, 0, 0), 10, "999", 1, "", "", local(2000, 1, 1, 10, 0, 0));
    ASSERT_TRUE(CallLogManager::addCallLog(older));
    ASSERT_TRUE(CallLogManager::addCallLog(newer));
    const auto all = CallLogManager::allCallLogs();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->callNumber(), "999");
    EXPECT_EQ(all[0]->contactName(), "  ");
    EXPECT_EQ(all[1]->contactName(), "Ann  Lee");
    EXPECT_EQ(all[1]->company(), "Acme");
    EXPECT_EQ(all[1]->startTime(), local(2000, 1, 1, 9, 0, 0));
    const auto missed = CallLogManager::allCallLogsFilteredBy(2);
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_EQ(missed[0]->ID(), older.ID());

    // Added twice, stored twice: the id moves to the second row.
    const int64_t first = newer.ID();
    ASSERT_TRUE(CallLogManager::addCallLog(newer));
    EXPECT_GT(newer.ID(), first);
    EXPECT_EQ(count("CallLog"), 3);
    EXPECT_TRUE(CallLogManager::removeCallLog(older));
    EXPECT_TRUE(CallLogManager::removeCallLog(older));
    EXPECT_TRUE(CallLogManager::removeAll());
    EXPECT_TRUE(CallLogManager::allCallLogs().empty());
}

TEST_F(CallLogAndSettingsModelsTest, PreferencesComeFromTheStoredRowNotFromTheModelsDefaults) {
    EXPECT_FALSE(PreferencesSettings().expandsPhoneBookEntries());
    const PreferencesSettingsPtr stored = PreferencesSettingsManager::preferencesSettings();
    EXPECT_TRUE(stored->expandsPhoneBookEntries());
    EXPECT_EQ(stored->mostFrequentlyCalledNumbers(), 5);
    EXPECT_EQ(stored->doNotDisturbMode(), 1);
    EXPECT_EQ(stored->dateFormat(), "Day, Month Date, Year");
    EXPECT_EQ(stored->timeFormat(), "HH:MM AM/PM");
    EXPECT_EQ(stored->defaultHomeScreen(), "Favorites");
    EXPECT_NE(PreferencesSettingsManager::preferencesSettings(), stored);

    // The sorting orders go to their own columns; integers reach the core as their low 32 bits.
    stored->setPhoneBookSortingOrder(2);
    stored->setDoNotDisturbMode((int64_t{1} << 32) + 2);
    ASSERT_TRUE(PreferencesSettingsManager::updatePreferencesSettings(*stored));
    EXPECT_EQ(scalar("select sortPhoneBookBy || ',' || sortFavoriteBy || ',' || doNotDisturbMode "
                     "from PreferencesSettings"),
              "2,0,2");
}

TEST_F(CallLogAndSettingsModelsTest, AnUpdateOfNoStoredRowFails) {
    // Answering true here would tell the screens a change was kept that was not.
    PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    preferences->setID(preferences->ID() + 100);
    EXPECT_FALSE(PreferencesSettingsManager::updatePreferencesSettings(*preferences));
    SecuritySettingsPtr security = SecuritySettingsManager::securitySettings();
    EXPECT_FALSE(security->passwordProtected());
    EXPECT_EQ(security->password(), "");
    security->setPassword("it's secret");
    EXPECT_TRUE(SecuritySettingsManager::updateSecuritySettings(*security));
    EXPECT_EQ(SecuritySettingsManager::securitySettings()->password(), "it's secret");
    security->setID(0);
    EXPECT_FALSE(SecuritySettingsManager::updateSecuritySettings(*security));
}

TEST_F(CallLogAndSettingsModelsTest, CallForwardingSettingsAreAcceptedAndNeverKept) {
    CallForwardingSettings settings;
    settings.setForwardsCalls(true);
    settings.setForwardingType(3);
    EXPECT_TRUE(CallForwardingSettingsManager::updateCallForwardingSettings(settings));
    const CallForwardingSettingsPtr read = CallForwardingSettingsManager::callForwardingSettings();
    EXPECT_FALSE(read->forwardsCalls());
    EXPECT_EQ(read->ID() + read->contactID() + read->forwardingType(), 0);
}

} // namespace
