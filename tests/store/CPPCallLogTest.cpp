#include "Logic/database/CPPBatchScope.h"
#include "Logic/store/CPPCallLogManager.h"
#include "Logic/store/CPPContactManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <optional>

namespace {

using CallLogStore = StoreFixture;

TEST(CallLogTimes, DurationDateAndTimeComeFromTheStart) {
    constexpr time_t farFuture = std::numeric_limits<time_t>::max();
    struct Case {
        const char* zone;
        time_t start;
        time_t end;
        int32_t extra;
        int32_t duration;
        const char* date;
        const char* time;
    } cases[] = {
        {"UTC0", 1767225590, 1767225620, 0, 30, "2025/12/31", "23:59:50"},
        {"UTC0", 1767603907, 1767603907, 12, 12, "2026/01/05", "09:05:07"},
        {"EST5", 1767603907, 1767603907, 12, 12, "2026/01/05", "04:05:07"},
        {"UTC0", 100, 90, 5, -5, "1970/01/01", "00:01:40"},
        // A corrupt clock must not wrap the duration around.
        {"UTC0", 0, 2147483647, 1, 2147483647, "1970/01/01", "00:00:00"},
        {"UTC0", 0, 0, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(), "1970/01/01",
         "00:00:00"},
        {"UTC0", 0, farFuture, -5, 2147483647, "1970/01/01", "00:00:00"},
        // A start the C library cannot convert leaves the texts empty.
        {"UTC0", farFuture, farFuture, 3, 3, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.start));
        ScopedTimeZone zone(c.zone);
        CPPCallLog entry;
        entry.setCallDate("stale");
        entry.setStartTime("stale");
        entry.setCallTimes(c.start, c.end, c.extra);
        EXPECT_EQ(entry.getCallDuration(), c.duration);
        EXPECT_EQ(entry.getCallDate(), c.date);
        EXPECT_EQ(entry.getStartTime(), c.time);
    }
}

TEST_F(CallLogStore, InsertWritesTheStatementAndTheNewId) {
    CPPCallLog entry = callLog("101", CallType::PLACED);
    entry.setCallDuration(35);
    entry.setContactName("Ann  Lee");
    ASSERT_TRUE(CPPCallLogTable::getInstance().insert(entry));
    EXPECT_EQ(trace(),
              (std::vector<std::string>{
                  "insert into CallLog(callDate, callDuration, callNumber, callType, contactName, "
                  "company, startTime) values('2026/01/05', 35, '101', 1, 'Ann  Lee', '', '09:30:00')"}));
    EXPECT_EQ(entry.getId(), 1);
    // The same record again makes a second row and follows it.
    ASSERT_TRUE(CPPCallLogTable::getInstance().insert(entry));
    EXPECT_EQ(entry.getId(), 2);
    EXPECT_EQ(scalar("select count(*) from CallLog"), "2");
}

TEST_F(CallLogStore, StatementTextsAreExact) {
    CPPCallLog entry = callLog("101", CallType::MISSED);
    entry.setId(4);
    entry.setCallDuration(-3);
    CPPCallLogTable& table = CPPCallLogTable::getInstance();
    table.getAll();
    table.getByCallType(2);
    table.getAllUnordered();
    table.update(entry);
    table.remove(entry);
    table.removeAll();
    EXPECT_EQ(trace(),
              (std::vector<std::string>{
                  "select * from CallLog order by callDate desc, startTime desc",
                  "select * from CallLog where callType=2 order by callDate desc, startTime desc",
                  "select * from CallLog",
                  "update CallLog set callDate='2026/01/05', callDuration=-3, callNumber='101', callType=2, "
                  "contactName='', company='', startTime='09:30:00'  where id=4",
                  "delete from CallLog where id=4",
                  "delete from CallLog",
              }));
}

TEST_F(CallLogStore, ListsNewestFirstAndByType) {
    log(callLog("a", CallType::PLACED, "2026/01/05", "09:30:00"));
    log(callLog("b", CallType::MISSED, "2026/01/05", "10:15:00"));
    log(callLog("c", CallType::MISSED, "2025/12/31", "23:00:00"));
    CPPCallLogTable& table = CPPCallLogTable::getInstance();
    EXPECT_EQ(numbersOf(table.getAll()), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(numbersOf(table.getByCallType(2)), (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(table.getByCallType(5).empty());
}

TEST_F(CallLogStore, NullColumnsReadAsEmptyAndZero) {
    run("insert into CallLog(id) values(9)");
    const std::vector<CPPCallLog> entries = CPPCallLogTable::getInstance().getAll();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].getId(), 9);
    EXPECT_EQ(entries[0].getCallDuration(), 0);
    EXPECT_EQ(entries[0].getCallType(), CallType::RECEIVED);
    EXPECT_EQ(entries[0].getCallNumber() + entries[0].getCallDate() + entries[0].getContactName() +
                  entries[0].getCompany() + entries[0].getStartTime(),
              "");
}

// The box reports display names, and users type names, that must never end a literal.
TEST_F(CallLogStore, TextsRoundTripAndNulIsRefused) {
    for (const std::string text :
         {"O'Brien", "say \"hi\"", "a, b", "Émile Ünal", "x'); delete from CallLog; --"}) {
        SCOPED_TRACE(text);
        CPPCallLog entry = callLog(text, CallType::RECEIVED, text, text);
        entry.setContactName(text);
        entry.setCompany(text);
        ASSERT_TRUE(CPPCallLogTable::getInstance().insert(entry));
        entry.setCompany(text + "'");
        ASSERT_TRUE(CPPCallLogTable::getInstance().update(entry));
        const std::vector<CPPCallLog> stored = CPPCallLogTable::getInstance().getAllUnordered();
        ASSERT_FALSE(stored.empty());
        const CPPCallLog& last = stored.back();
        EXPECT_EQ(last.getCallNumber(), text);
        EXPECT_EQ(last.getCallDate(), text);
        EXPECT_EQ(last.getStartTime(), text);
        EXPECT_EQ(last.getContactName(), text);
        EXPECT_EQ(last.getCompany(), text + "'");
    }

    clearTrace();
    CPPCallLog withNul = callLog(std::string("1\0"
                                             "2",
                                             3),
                                 CallType::PLACED);
    withNul.setId(77);
    EXPECT_FALSE(CPPCallLogTable::getInstance().insert(withNul));
    EXPECT_FALSE(CPPCallLogTable::getInstance().update(withNul));
    EXPECT_EQ(withNul.getId(), 77);
    EXPECT_TRUE(trace().empty());
}

TEST_F(CallLogStore, FailuresGiveEmptyListsAndFalse) {
    log(callLog("1", CallType::PLACED));
    run("drop table CallLog");
    CPPCallLog entry = callLog("101", CallType::PLACED);
    entry.setId(5);
    CPPCallLogTable& table = CPPCallLogTable::getInstance();
    EXPECT_TRUE(table.getAll().empty());
    EXPECT_FALSE(table.insert(entry));
    EXPECT_EQ(entry.getId(), 5);
    EXPECT_FALSE(table.update(entry));
    EXPECT_FALSE(table.remove(entry));
    EXPECT_FALSE(table.removeAll());
}

// Kept as the screens expect: a missing id is not an error for the call log.
TEST_F(CallLogStore, RemovingAMissingIdSucceeds) {
    log(callLog("1", CallType::PLACED));
    CPPCallLog missing;
    missing.setId(42);
    EXPECT_TRUE(CPPCallLogManager::getInstance().removeCallLog(missing));
    EXPECT_TRUE(CPPCallLogTable::getInstance().update(missing));
    EXPECT_EQ(scalar("select count(*) from CallLog"), "1");
    EXPECT_TRUE(CPPCallLogManager::getInstance().removeAll());
    EXPECT_TRUE(CPPCallLogManager::getInstance().allCallLogs().empty());
}

// Screens rely on the fill overwriting whatever was stored: an unknown number always shows
// two blanks and no company.
TEST_F(CallLogStore, ListingsTakeNamesFromThePhoneBookNow) {
    CPPContact ann = contact("Ann", "Lee", "Acme");
    const int32_t annId = store(ann, {"101"});
    CPPCallLog known = callLog("101@pbx.example", CallType::PLACED, "2026/01/05", "10:00:00");
    known.setContactName("Display Name");
    log(known);
    CPPCallLog unknown = callLog("999", CallType::MISSED, "2026/01/05", "09:00:00");
    unknown.setContactName("Box Name");
    unknown.setCompany("Box Co");
    log(unknown);

    CPPCallLogManager& manager = CPPCallLogManager::getInstance();
    std::vector<CPPCallLog> listed = manager.allCallLogs();
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_EQ(listed[0].getCallNumber(), "101@pbx.example");
    EXPECT_EQ(listed[0].getContactName(), "Ann  Lee");
    EXPECT_EQ(listed[0].getCompany(), "Acme");
    EXPECT_EQ(listed[1].getContactName(), "  ");
    EXPECT_EQ(listed[1].getCompany(), "");

    ann.setId(annId);
    ann.setFirstName("Anna");
    ASSERT_TRUE(CPPContactTable::getInstance().update(ann));
    EXPECT_EQ(manager.allCallLogsFilteredBy(1).front().getContactName(), "Anna  Lee");
    ASSERT_TRUE(CPPContactTable::getInstance().remove(ann));
    EXPECT_EQ(manager.allCallLogsFilteredBy(1).front().getContactName(), "  ");
    EXPECT_EQ(numbersOf(manager.allCallLogsFilteredBy(2)), (std::vector<std::string>{"999"}));
}

TEST_F(CallLogStore, EachDistinctNumberIsLookedUpOncePerListing) {
    store(contact("Ann"), {"555"});
    for (int i = 0; i < 10; ++i)
        log(callLog(i % 2 == 0 ? "555" : "555@host", CallType::RECEIVED));
    log(callLog("777", CallType::RECEIVED));
    clearTrace();
    const std::vector<CPPCallLog> listed = CPPCallLogManager::getInstance().allCallLogs();
    EXPECT_EQ(listed.size(), 11U);
    EXPECT_EQ(traced("from ContactNumber"), 1U);
    CPPCallLogManager::getInstance().allCallLogs();
    EXPECT_EQ(traced("from ContactNumber"), 2U);

    // A failed look-up names the entries as unknown numbers; the rows are still listed.
    database().setStatementRefusal(
        [](const std::string& sql) { return sql.find("from ContactNumber") != std::string::npos; });
    const std::vector<CPPCallLog> unnamed = CPPCallLogManager::getInstance().allCallLogs();
    database().setStatementRefusal(nullptr);
    ASSERT_EQ(unnamed.size(), 11U);
    for (const CPPCallLog& entry : unnamed)
        EXPECT_EQ(entry.getContactName() + entry.getCompany(), "  ");
}

// The listing names every entry as a look-up of its number alone names it: the owner of the
// lowest-id number row holding exactly the text before "@", and nobody when that row's
// contact is gone. Enough numbers to need several look-up statements.
TEST_F(CallLogStore, ListingNamesEqualALookUpOfEachNumberAlone) {
    const int32_t gone = store(contact("Gone", "Away"), {"555"});
    const int32_t carl = store(contact("Carl", "Null"));
    // A NULL number is no empty number.
    run("insert into ContactNumber(number, contactId) values(NULL, " + std::to_string(carl) + ")");
    store(contact("Ann", "Lee", "Acme"), {"555", "101", "1'2", "", "Ab", "Zo\xc3\xab"});
    store(contact("Bob", "Ray", "O'Co"), {"101", "ab", "101 ", "2'"});
    run("delete from Contact where id = " + std::to_string(gone));
    std::vector<std::string> numbers = {"555",   "555@pbx", "101", "101@a@b",    "1'2",  "",
                                        "@host", "Ab",      "ab",  "AB",         "101 ", " 101",
                                        "2'",    "2''",     "999", "Zo\xc3\xab", "Zoe",  "101@"};
    // One transaction, so the setup does not wait for the disk once per row.
    std::optional<CPPBatchScope> batch(std::in_place);
    for (int i = 0; i < 600; ++i) {
        numbers.push_back("n" + std::to_string(i));
        if (i % 3 == 0)
            store(contact("Owner" + std::to_string(i), "", "Co" + std::to_string(i % 7)), {numbers.back()});
    }
    for (size_t i = 0; i < numbers.size(); ++i)
        log(callLog(numbers[i], CallType::PLACED, "2026/01/05", i % 2 == 0 ? "10:00:00" : "11:00:00"));
    batch.reset();

    clearTrace();
    const std::vector<CPPCallLog> listed = CPPCallLogManager::getInstance().allCallLogs();
    EXPECT_GT(traced("from ContactNumber"), 1U);
    const std::vector<CPPCallLog> stored = CPPCallLogTable::getInstance().getAll();
    ASSERT_EQ(listed.size(), stored.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        SCOPED_TRACE(listed[i].getCallNumber());
        EXPECT_EQ(listed[i].getId(), stored[i].getId());
        const std::vector<CPPContact> owner =
            CPPContactManager::getInstance().contactByNumber(stripAtSuffix(listed[i].getCallNumber()));
        const CPPContact expected = owner.empty() ? CPPContact() : owner.front();
        EXPECT_EQ(listed[i].getContactName(), expected.getFullName());
        EXPECT_EQ(listed[i].getCompany(), expected.getCompany());
    }
    std::map<std::string, std::string> names;
    for (const CPPCallLog& entry : listed)
        names[entry.getCallNumber()] = entry.getContactName();
    EXPECT_EQ(names["555@pbx"], "  ");
    EXPECT_EQ(names["101@a@b"], "Ann  Lee");
    EXPECT_EQ(names["@host"], "Ann  Lee");
    EXPECT_EQ(names["2'"], "Bob  Ray");
    EXPECT_EQ(names["AB"], "  ");
    EXPECT_EQ(names["n3"], "Owner3  ");
}

TEST(CallLogNumbers, CutAtDomainKeepsTheTextBeforeTheFirstAt) {
    for (const auto& [text, cut] : std::vector<std::pair<std::string, std::string>>{
             {"101@dom", "101"}, {"101", "101"}, {"@dom", ""}, {"a@b@c", "a"}, {"", ""}}) {
        std::string number = text;
        CPPCallLogManager::cutAtDomain(number);
        EXPECT_EQ(number, cut) << text;
        EXPECT_EQ(stripAtSuffix(text), cut) << text;
    }
}

} // namespace
