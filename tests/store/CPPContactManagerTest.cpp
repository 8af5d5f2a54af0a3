#include "Logic/store/CPPContactManager.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using ContactManagerStore = StoreFixture;

void setAutomaticFavorites(bool automatic, int32_t count = 5) {
    CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    preferences.setAutomaticallyManagesFavorites(automatic);
    preferences.setMostFrequentlyCalledNumbers(count);
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().update(preferences));
}

// Each list asks the table for its own column and direction; a crossed wire shows here.
TEST_F(ContactManagerStore, ListsAskForTheirColumnAndDirection) {
    using Manager = CPPContactManager;
    const std::string all = "select * from Contact order by ";
    const std::string favorites = "select * from Contact where isFavorite = 1 order by ";
    const std::string others = "select * from Contact where isFavorite = 0 order by ";
    const std::vector<std::pair<std::function<void(Manager&)>, std::string>> cases = {
        {[](Manager& m) { m.allContacts(); }, "select * from Contact"},
        {[](Manager& m) { m.allContactsSortedByFirstName(true); }, all + "firstName collate nocase asc"},
        {[](Manager& m) { m.allContactsSortedByLastName(false); }, all + "lastName collate nocase desc"},
        {[](Manager& m) { m.allContactsSortedByCompany(true); }, all + "company collate nocase asc"},
        {[](Manager& m) { m.allFavoriteContacts(); }, favorites + "callFrequency collate nocase desc"},
        {[](Manager& m) { m.allFavoriteContactsSortedByFirstName(false); },
         favorites + "firstName collate nocase desc"},
        {[](Manager& m) { m.allFavoriteContactsSortedByLastName(true); },
         favorites + "lastName collate nocase asc"},
        {[](Manager& m) { m.allFavoriteContactsSortedByCompany(false); },
         favorites + "company collate nocase desc"},
        {[](Manager& m) { m.allFavoriteContactsSortedByCallFrequency(true); },
         favorites + "callFrequency collate nocase asc"},
        {[](Manager& m) { m.allNonFavorites(); }, others + "firstName collate nocase asc"},
        {[](Manager& m) { m.allNonFavoriteContactsSortedByFirstName(false); },
         others + "firstName collate nocase desc"},
        {[](Manager& m) { m.allNonFavoriteContactsSortedByLastName(true); },
         others + "lastName collate nocase asc"},
        {[](Manager& m) { m.allNonFavoriteContactsSortedByCompany(false); },
         others + "company collate nocase desc"},
        {[](Manager& m) { m.allNonFavoriteContactsSortedByCallFrequency(true); },
         others + "callFrequency collate nocase asc"},
    };
    for (const auto& [list, statement] : cases) {
        clearTrace();
        list(Manager::getInstance());
        EXPECT_EQ(trace().back(), statement);
    }
}

TEST_F(ContactManagerStore, FavoritesFollowThePreferenceOnEveryListing) {
    CPPContact often = contact("Often", "", "", true);
    often.setCallFrequency(10);
    store(often);
    CPPContact seldom = contact("Seldom", "", "", true);
    seldom.setCallFrequency(9);
    store(seldom);
    const int32_t called = store(contact("Called"), {"101"});
    log(callLog("101", CallType::PLACED));
    log(callLog("202", CallType::PLACED));

    CPPContactManager& manager = CPPContactManager::getInstance();
    EXPECT_EQ(firstNamesOf(manager.allFavoriteContacts()), (std::vector<std::string>{"Often", "Seldom"}));
    setAutomaticFavorites(true, 1);
    const std::vector<CPPContact> automatic = manager.allFavoriteContacts();
    ASSERT_EQ(automatic.size(), 1U);
    EXPECT_EQ(automatic[0].getId(), called);
    setAutomaticFavorites(true, 5);
    EXPECT_EQ(firstNamesOf(manager.allFavoriteContactsSortedByFirstName(false)),
              (std::vector<std::string>{"Called", "202"}));
}

TEST_F(ContactManagerStore, NumbersOfAContactPutTheFirstDefaultInFront) {
    struct Case {
        std::vector<std::pair<std::string, bool>> stored;
        std::vector<std::string> listed;
    } cases[] = {
        {{{"111", false}, {"555", true}}, {"555", "111"}},
        {{{"555", false}, {"111", false}}, {"111", "555"}},
        {{{"111", false}, {"333", true}, {"222", true}}, {"222", "111", "333"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CPPContact owner = contact("Ann");
        ASSERT_TRUE(CPPContactTable::getInstance().insert(owner));
        for (const auto& [text, isDefault] : c.stored) {
            CPPContactNumber entry = number(text, isDefault);
            ASSERT_TRUE(CPPContactNumberTable::getInstance().insert(entry, owner.getId()));
        }
        CPPContact byIdOnly;
        byIdOnly.setId(owner.getId());
        EXPECT_EQ(textsOf(CPPContactManager::getInstance().numbersOfContact(byIdOnly)), c.listed);
    }
}

// The grouped read the phone book screens use must list exactly what one read per contact does.
TEST_F(ContactManagerStore, NumbersOfAllContactsEqualOneReadPerContact) {
    std::mt19937 random(7);
    std::vector<int32_t> ids;
    for (int i = 0; i < 60; ++i) {
        CPPContact owner = contact("C" + std::to_string(i));
        std::vector<CPPContactNumber> numbers;
        for (int n = static_cast<int>(random() % 5); n > 0; --n)
            numbers.push_back(number(std::to_string(random() % 40), random() % 3 == 0,
                                     static_cast<int32_t>(random() % 11) - 1));
        ASSERT_TRUE(CPPContactManager::getInstance().addContact(owner, numbers));
        ids.push_back(owner.getId());
    }
    ASSERT_TRUE(CPPContactNumberTable::getInstance().createIndexes());
    const auto grouped = CPPContactManager::getInstance().numbersOfAllContacts();
    for (const int32_t id : ids) {
        CPPContact owner;
        owner.setId(id);
        const std::vector<CPPContactNumber> single = CPPContactManager::getInstance().numbersOfContact(owner);
        const auto found = grouped.find(id);
        const std::vector<CPPContactNumber> fromGroup =
            found != grouped.end() ? found->second : std::vector<CPPContactNumber>{};
        ASSERT_EQ(fromGroup.size(), single.size()) << id;
        for (size_t i = 0; i < single.size(); ++i) {
            EXPECT_EQ(fromGroup[i].getId(), single[i].getId());
            EXPECT_EQ(fromGroup[i].getNumber(), single[i].getNumber());
            EXPECT_EQ(fromGroup[i].getSpeedDial(), single[i].getSpeedDial());
            EXPECT_EQ(fromGroup[i].isDefault(), single[i].isDefault());
        }
    }
}

// Nothing is rolled back: a failing third number leaves the contact and two numbers stored.
TEST_F(ContactManagerStore, AddContactWritesIdsBackAndStopsAtTheFirstFailure) {
    CPPContact ann = contact("Ann");
    std::vector<CPPContactNumber> numbers = {number("1"), number("2")};
    ASSERT_TRUE(CPPContactManager::getInstance().addContact(ann, numbers));
    EXPECT_EQ(ann.getId(), 1);
    EXPECT_EQ(numbers[0].getId(), 1);
    EXPECT_EQ(numbers[1].getId(), 2);

    CPPContact bob = contact("Bob");
    std::vector<CPPContactNumber> failing = {number("3"), number("4"), number(std::string("5\0", 2)),
                                             number("6")};
    EXPECT_FALSE(CPPContactManager::getInstance().addContact(bob, failing));
    EXPECT_EQ(scalar("select count(*) from Contact"), "2");
    EXPECT_EQ(scalar("select group_concat(number) from ContactNumber where contactId=" +
                     std::to_string(bob.getId())),
              "3,4");
    EXPECT_EQ(failing[3].getId(), 0);
}

// A changed text is a delete and an insert; the contact row is written last.
TEST_F(ContactManagerStore, UpdateContactMatchesNumbersByText) {
    run("insert into Contact(id, firstName) values(5, 'Ann')");
    run("insert into ContactNumber(id, number, speedDial, type, isDefault, contactId) values(10, '111', -1, "
        "0, 0, 5)");
    run("insert into ContactNumber(id, number, speedDial, type, isDefault, contactId) values(11, '222', -1, "
        "0, 0, 5)");
    CPPContact ann = contact("Ann", "Lee");
    ann.setId(5);
    CPPContactNumber kept = number("111");
    kept.setId(10);
    kept.setType(CPPContactNumber::Mobile);
    clearTrace();
    ASSERT_TRUE(CPPContactManager::getInstance().updateContact(ann, {kept, number("333")}));
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "select * from ContactNumber where contactId=5 order by number asc",
            "update ContactNumber set number='111', speedDial=-1, type=2, isDefault=0 where id=10",
            "delete from ContactNumber where id=11",
            "insert into ContactNumber(number, speedDial, type, isDefault, contactId) values('333', -1, "
            "0, 0, 5)",
            "update Contact set firstName='Ann', middleInitial='', lastName='Lee', company='', "
            "callFrequency=0, isFavorite=0 where id=5",
        }));
}

// A trap the screens live with: an entry carrying a stored text under id 0 updates no row.
TEST_F(ContactManagerStore, UpdateContactWritesNumbersUnderTheCallersIds) {
    CPPContact ann = contact("Ann");
    std::vector<CPPContactNumber> numbers = {number("111")};
    ASSERT_TRUE(CPPContactManager::getInstance().addContact(ann, numbers));
    CPPContactNumber fresh = number("111", true, 4);
    clearTrace();
    ASSERT_TRUE(CPPContactManager::getInstance().updateContact(ann, {fresh}));
    EXPECT_EQ(traced("update ContactNumber"), 1U);
    EXPECT_EQ(traced("where id=0"), 1U);
    EXPECT_EQ(traced("delete from ContactNumber") + traced("insert into ContactNumber"), 0U);
    EXPECT_EQ(scalar("select isDefault || ',' || speedDial from ContactNumber"), "0,-1");
}

TEST_F(ContactManagerStore, UpdateContactStoresAPseudoContactAsNew) {
    CPPContact pseudo = contact("999");
    pseudo.setId(-1);
    ASSERT_TRUE(CPPContactManager::getInstance().updateContact(pseudo, {number("999")}));
    EXPECT_EQ(pseudo.getId(), 1);
    EXPECT_EQ(scalar("select firstName from Contact"), "999");
    EXPECT_EQ(scalar("select number || ',' || contactId from ContactNumber"), "999,1");
}

TEST_F(ContactManagerStore, UpdateContactWritesTheContactRowOnlyAfterEveryNumber) {
    CPPContact ann = contact("Ann");
    std::vector<CPPContactNumber> numbers = {number("111")};
    ASSERT_TRUE(CPPContactManager::getInstance().addContact(ann, numbers));
    ann.setLastName("Changed");
    EXPECT_FALSE(
        CPPContactManager::getInstance().updateContact(ann, {numbers[0], number(std::string("2\0", 2))}));
    EXPECT_EQ(scalar("select lastName from Contact"), "");
}

// Kept: numbers the caller did not list stay behind, as do those of phone contacts.
TEST_F(ContactManagerStore, RemovalsLeaveUnlistedNumbersBehind) {
    CPPContact ann = contact("Ann");
    std::vector<CPPContactNumber> numbers = {number("111"), number("222")};
    ASSERT_TRUE(CPPContactManager::getInstance().addContact(ann, numbers));
    ASSERT_TRUE(CPPContactManager::getInstance().removeContact(ann, {numbers[0]}));
    EXPECT_EQ(scalar("select count(*) from Contact"), "0");
    EXPECT_EQ(scalar("select group_concat(number) from ContactNumber"), "222");

    CPPContact phone = contact("Phone");
    phone.setIsFromPhone(true);
    std::vector<CPPContactNumber> phoneNumbers = {number("333")};
    ASSERT_TRUE(CPPContactManager::getInstance().addContact(phone, phoneNumbers));
    const int32_t own = store(contact("Own"), {"444"});
    ASSERT_TRUE(CPPContactManager::getInstance().removeAllContactsFromPhone());
    EXPECT_EQ(scalar("select group_concat(id) from Contact"), std::to_string(own));
    EXPECT_EQ(scalar("select count(*) from ContactNumber"), "3");
    EXPECT_TRUE(CPPContactManager::getInstance().contactByNumber("333").empty());

    clearTrace();
    ASSERT_TRUE(CPPContactManager::getInstance().removeContact(ann, {}));
    EXPECT_EQ(trace().size(), 1U);
}

// An overwriting import now stores each contact, then drops its first stored namesake by name;
// it looked the namesake up (with its numbers) before the add. Both must leave the same rows:
// namesakes taken in turn, exact names, quotes, and a refused contact keeping its namesake.
TEST_F(ContactManagerStore, ReplacingTheFirstNamesakeLeavesWhatALookUpBeforeTheAddDid) {
    struct Person {
        const char* first;
        const char* middle;
        const char* last;
        std::string company;
        std::vector<std::string> numbers;
    };
    const std::vector<Person> stored = {
        {"Eve", "", "Poe", "First", {"1", "2"}}, {"Eve", "", "Poe", "Second", {"3"}},
        {"Ann", "B", "Lee", "Initial", {"4"}},   {"Ann", "", "Lee", "None", {"5", "6"}},
        {"O'Neil", "", "d'Arc", "Quote", {}},    {"Cy", "", "Ode", "Kept", {"7"}},
        {"eve", "", "Poe", "Case", {"8"}}};
    const std::vector<Person> imported = {
        {"Eve", "", "Poe", "Imported", {"10"}},  {"Gus", "", "Orr", "One", {"11"}},
        {"Gus", "", "Orr", "Two", {"12", "13"}}, {"Ann", "", "Lee", "New", {}},
        {"O'Neil", "", "d'Arc", "New", {"14"}},  {"Cy", "", "Ode", std::string("Bad\0", 4), {"15"}},
        {"Eve", "", "Poe", "Again", {"16"}},     {"Zed", "", "", "Fresh", {"17"}}};
    CPPContactManager& manager = CPPContactManager::getInstance();
    const auto add = [&manager](const Person& person, CPPContact& record) {
        record = contact(person.first, person.last, person.company);
        record.setMiddleInitial(person.middle);
        std::vector<CPPContactNumber> numbers;
        for (const std::string& text : person.numbers)
            numbers.push_back(number(text));
        return manager.addContact(record, numbers);
    };
    const auto importAll = [&](bool lookUpFirst) {
        run("delete from Contact; delete from ContactNumber; delete from sqlite_sequence");
        for (const Person& person : stored) {
            CPPContact record;
            EXPECT_TRUE(add(person, record));
        }
        for (const Person& person : imported) {
            const std::vector<CPPContact> namesakes =
                manager.contactByName(person.first, person.middle, person.last);
            const std::vector<CPPContactNumber> numbers = namesakes.empty()
                                                              ? std::vector<CPPContactNumber>{}
                                                              : manager.numbersOfContact(namesakes.front());
            CPPContact record;
            if (!add(person, record))
                continue;
            if (!lookUpFirst) {
                EXPECT_TRUE(manager.removeFirstNamesake(record));
            } else if (!namesakes.empty()) {
                EXPECT_TRUE(manager.removeContact(namesakes.front(), numbers));
            }
        }
        return std::make_pair(select("select * from Contact order by id"),
                              select("select * from ContactNumber order by id"));
    };
    const auto before = importAll(true);
    const auto now = importAll(false);
    EXPECT_EQ(now.first, before.first);
    EXPECT_EQ(now.second, before.second);
    EXPECT_EQ(scalar("select group_concat(company, '|') from (select company from Contact order by id)"),
              "Initial|Kept|Case|Imported|Two|New|New|Again|Fresh");
    EXPECT_EQ(scalar("select count(*) from ContactNumber where contactId not in (select id from Contact)"),
              "0");
}

// A short history of placed calls: Ann owns 101 and 555, Bob owns 102.
class MostCalled : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        m_ann = store(contact("Ann", "Lee", "Acme"), {"101", "555"});
        m_bob = store(contact("Bob", "Ash", "Zed"), {"102"});
        int minute = 0;
        for (const auto& [number, calls] : std::vector<std::pair<std::string, int>>{
                 {"101", 3}, {"555", 4}, {"102@pbx", 2}, {"102@other", 2}, {"999", 2}, {"888@x", 1}}) {
            for (int i = 0; i < calls; ++i)
                log(callLog(number, CallType::PLACED, "2026/01/05",
                            "10:" + std::to_string(10 + minute++) + ":00"));
        }
        log(callLog("777", CallType::RECEIVED, "2026/01/06"));
    }

    static std::string describe(const std::vector<CPPContact>& contacts) {
        std::string text;
        for (const CPPContact& entry : contacts)
            text += (text.empty() ? "" : " ") + entry.getFirstName() + "(" + std::to_string(entry.getId()) +
                    "):" + std::to_string(entry.getCallFrequency());
        return text;
    }

    int32_t m_ann = 0;
    int32_t m_bob = 0;
};

TEST_F(MostCalled, CountsRankAndTurnIntoContacts) {
    CPPContactManager& manager = CPPContactManager::getInstance();
    EXPECT_EQ(describe(manager.loadTopFrequentContacts(5)), "Ann(1):4 Bob(2):2 999(-1):2");
    EXPECT_EQ(describe(manager.loadTopFrequentContacts(6)), "Ann(1):4 Bob(2):2 999(-1):2 888(-1):1");
    EXPECT_EQ(describe(manager.loadTopFrequentContacts(-1)), "Ann(1):4 Bob(2):2 999(-1):2 888(-1):1");
    EXPECT_EQ(describe(manager.loadTopFrequentContacts(0)), "");
    // Skipped places are not refilled from the pairs after the count.
    EXPECT_EQ(describe(manager.loadTopFrequentContacts(2)), "Ann(1):4");
    // The stored counts stay as they were.
    EXPECT_EQ(scalar("select sum(callFrequency) from Contact"), "0");
}

TEST_F(MostCalled, SortsOnlyByNameColumns) {
    CPPContactManager& manager = CPPContactManager::getInstance();
    EXPECT_EQ(describe(manager.topFrequentContacts(5, "firstName", false)), "Bob(2):2 Ann(1):4 999(-1):2");
    EXPECT_EQ(describe(manager.topFrequentContacts(5, "lastName", true)), "Bob(2):2 Ann(1):4 999(-1):2");
    EXPECT_EQ(describe(manager.topFrequentContacts(5, "company", false)), "Bob(2):2 Ann(1):4 999(-1):2");
    for (const bool ascending : {true, false}) {
        EXPECT_EQ(describe(manager.topFrequentContacts(5, "callFrequency", ascending)),
                  "Ann(1):4 Bob(2):2 999(-1):2");
        EXPECT_EQ(describe(manager.topFrequentContacts(5, "FirstName", ascending)),
                  "Ann(1):4 Bob(2):2 999(-1):2");
    }
}

// Unknown numbers sharing the part before "@" are never merged.
TEST_F(MostCalled, UnknownNumbersKeepOneEntryEach) {
    run("delete from ContactNumber where number = '102'");
    EXPECT_EQ(describe(CPPContactManager::getInstance().loadTopFrequentContacts(-1)),
              "Ann(1):4 102(-1):2 102(-1):2 999(-1):2 888(-1):1");
}

TEST_F(MostCalled, OnlyTheNewestHundredPlacedCallsCount) {
    for (int i = 0; i < 100; ++i)
        log(callLog("999", CallType::PLACED, "2026/02/01", "10:00:00"));
    EXPECT_EQ(describe(CPPContactManager::getInstance().loadTopFrequentContacts(5)), "999(-1):100");
    run("delete from CallLog where callType = 1");
    EXPECT_TRUE(CPPContactManager::getInstance().topFrequentContacts(5, "firstName", true).empty());
}

TEST(ContactSorting, CallCountsSortBySelectionWithSwaps) {
    std::vector<NumberCallCount> counts = {{"A", 1}, {"B", 1}, {"C", 2}};
    sortByCallCount(counts);
    EXPECT_EQ(counts, (std::vector<NumberCallCount>{{"C", 2}, {"B", 1}, {"A", 1}}));
    std::vector<NumberCallCount> pinned = {{"101", 3}, {"102@other", 2}, {"102@pbx", 2},
                                           {"555", 4}, {"888@x", 1},     {"999", 2}};
    sortByCallCount(pinned);
    EXPECT_EQ(pinned,
              (std::vector<NumberCallCount>{
                  {"555", 4}, {"101", 3}, {"102@pbx", 2}, {"102@other", 2}, {"999", 2}, {"888@x", 1}}));
    std::vector<NumberCallCount> empty;
    sortByCallCount(empty);
    EXPECT_TRUE(empty.empty());
}

// Byte comparison: every upper-case letter before every lower-case one; rows before numbers,
// which keep where the swaps leave them under the last-name and company orders.
TEST(ContactSorting, ComparatorsPutRowsFirstAndCompareBytes) {
    auto make = [](int32_t id, const std::string& first, int32_t frequency) {
        CPPContact record;
        record.setId(id);
        record.setFirstName(first);
        record.setCallFrequency(frequency);
        // Pseudo-contacts carry only the number; their empty names compare equal.
        if (id != -1) {
            record.setLastName(first);
            record.setCompany(first);
        }
        return record;
    };
    const std::vector<CPPContact> start = {make(-1, "1", 1), make(1, "adam", 0), make(-1, "2", 5),
                                           make(2, "Zed", 0), make(3, "", 0)};
    struct Case {
        ContactComparator comparator;
        std::vector<std::string> order;
    } cases[] = {
        {compareByFirstNameAscending, {"", "Zed", "adam", "2", "1"}},
        {compareByFirstNameDescending, {"adam", "Zed", "", "2", "1"}},
        {compareByLastNameAscending, {"", "Zed", "adam", "2", "1"}},
        {compareByLastNameDescending, {"adam", "Zed", "", "1", "2"}},
        {compareByCompanyAscending, {"", "Zed", "adam", "2", "1"}},
        {compareByCompanyDescending, {"adam", "Zed", "", "1", "2"}},
    };
    for (const Case& c : cases) {
        std::vector<CPPContact> contacts = start;
        CPPContactManager::sortContacts(contacts, c.comparator);
        EXPECT_EQ(firstNamesOf(contacts), c.order);
    }
}

} // namespace
