#include "Logic/store/CPPContactManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

using ContactStore = StoreFixture;

TEST(ContactRecord, FullNameKeepsBothBlanksAndIdentityIsTheId) {
    CPPContact record;
    EXPECT_EQ(record.getFullName(), "  ");
    record.setFirstName("Ann");
    EXPECT_EQ(record.getFullName(), "Ann  ");
    record.setLastName("Lee");
    EXPECT_EQ(record.getFullName(), "Ann  Lee");
    record.setMiddleInitial("B.");
    EXPECT_EQ(record.getFullName(), "Ann B. Lee");

    CPPContact other;
    other.setId(record.getId());
    EXPECT_TRUE(other == record);
    other.setId(3);
    other.setFirstName("Ann");
    EXPECT_FALSE(other == record);
}

using NewFile = DatabaseFixture;

TEST_F(NewFile, CreateStatementsAreExact) {
    ASSERT_TRUE(CPPContactTable::getInstance().createTable());
    ASSERT_TRUE(CPPContactNumberTable::getInstance().createTable());
    ASSERT_TRUE(CPPCallLogTable::getInstance().createTable());
    EXPECT_EQ(trace(),
              (std::vector<std::string>{
                  "create table if not exists Contact(id integer primary key autoincrement, firstName text, "
                  "middleInitial text, lastName text, company text, callFrequency integer, isFavorite "
                  "integer, isFromPhone integer)",
                  "create table if not exists ContactNumber(id integer primary key autoincrement, number "
                  "text, speedDial integer, type integer, isDefault integer, contactId integer, foreign "
                  "key(contactId) references Contact(id))",
                  "create table if not exists CallLog(id integer primary key autoincrement, callDate text, "
                  "callDuration integer, callNumber text, callType integer, contactName text, company "
                  "text, startTime text)",
              }));
    // A second open finds the tables and changes nothing.
    EXPECT_TRUE(CPPContactTable::getInstance().createTable());
}

TEST_F(ContactStore, StatementTextsAreExact) {
    CPPContactTable& table = CPPContactTable::getInstance();
    CPPContact ann = contact("Ann", "Lee", "Acme", true);
    ASSERT_TRUE(table.insert(ann));
    ann.setId(4);
    ann.setCallFrequency(1);
    table.update(ann);
    table.incrementCallFrequency(4);
    table.remove(ann);
    table.removeAllFromPhone();
    table.getAll();
    table.getFavorites();
    table.getNonFavoritesOrderedBy("lastName", false);
    table.getFavoritesOrderedBy("callFrequency", true);
    table.getAllOrderedBy("company", true);
    table.getByNumber("101");
    table.getByName("Ann", "", "Lee");
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "insert into Contact(firstName, middleInitial, lastName, company, callFrequency, isFavorite, "
            "isFromPhone) values('Ann', '', 'Lee', 'Acme', 0, 1, 0)",
            "update Contact set firstName='Ann', middleInitial='', lastName='Lee', company='Acme', "
            "callFrequency=1, isFavorite=1 where id=4",
            "update Contact set callFrequency=callFrequency+1 where id=4",
            "delete from Contact where id = 4",
            "delete from Contact where isFromPhone = 1",
            "select * from Contact",
            "select * from Contact where isFavorite = 1",
            "select * from Contact where isFavorite = 0 order by lastName collate nocase desc",
            "select * from Contact where isFavorite = 1 order by callFrequency collate nocase asc",
            "select * from Contact order by company collate nocase asc",
            "select * from Contact where id=(select contactId from ContactNumber where number = '101')",
            "select * from Contact where firstName='Ann' and middleInitial='' and lastName='Lee'",
        }));
}

TEST_F(ContactStore, InsertMovesTheRecordToEachNewRow) {
    CPPContact ann = contact("Ann");
    ASSERT_TRUE(CPPContactTable::getInstance().insert(ann));
    EXPECT_EQ(ann.getId(), 1);
    ASSERT_TRUE(CPPContactTable::getInstance().insert(ann));
    EXPECT_EQ(ann.getId(), 2);
}

// NOCASE folds A-Z only: accented letters sort by their bytes, after every ASCII letter.
TEST_F(ContactStore, SortedReadsIgnoreTheCaseOfAsciiLetters) {
    for (const std::string name : {"bert", "Adam", "adam", "", "Zed", "Émile"})
        store(contact(name));
    std::vector<std::string> names =
        firstNamesOf(CPPContactManager::getInstance().allContactsSortedByFirstName(true));
    ASSERT_EQ(names.size(), 6U);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[1] == "Adam" ? names[2] : names[1], "adam");
    EXPECT_EQ((std::vector<std::string>{names[3], names[4], names[5]}),
              (std::vector<std::string>{"bert", "Zed", "Émile"}));

    run("delete from Contact");
    for (const int32_t frequency : {9, 10, 2}) {
        CPPContact record = contact(std::to_string(frequency));
        record.setCallFrequency(frequency);
        store(record);
    }
    EXPECT_EQ(
        firstNamesOf(CPPContactManager::getInstance().allNonFavoriteContactsSortedByCallFrequency(false)),
        (std::vector<std::string>{"10", "9", "2"}));
}

// The column is pasted into the statement, so anything but a column name is refused.
TEST_F(ContactStore, SortColumnMustBeAColumnName) {
    store(contact("Ann"));
    clearTrace();
    EXPECT_TRUE(
        CPPContactTable::getInstance().getAllOrderedBy("firstName; drop table Contact", true).empty());
    EXPECT_TRUE(CPPContactTable::getInstance().getFavoritesOrderedBy("", true).empty());
    EXPECT_TRUE(trace().empty());
    EXPECT_EQ(CPPContactTable::getInstance().getAllOrderedBy("firstName", true).size(), 1U);
}

TEST_F(ContactStore, UpdateNeverWritesIsFromPhoneAndMissingIdsSucceed) {
    CPPContact phone = contact("Ann");
    phone.setIsFromPhone(true);
    const int32_t id = store(phone);
    phone.setId(id);
    phone.setIsFromPhone(false);
    phone.setCompany("Acme");
    ASSERT_TRUE(CPPContactTable::getInstance().update(phone));
    const std::vector<CPPContact> stored = CPPContactTable::getInstance().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_TRUE(stored[0].isFromPhone());
    EXPECT_EQ(stored[0].getCompany(), "Acme");

    CPPContact missing = contact("Nobody");
    missing.setId(99);
    EXPECT_TRUE(CPPContactTable::getInstance().update(missing));
    EXPECT_TRUE(CPPContactTable::getInstance().remove(missing));
    EXPECT_TRUE(CPPContactTable::getInstance().incrementCallFrequency(99));
    EXPECT_EQ(scalar("select count(*) from Contact"), "1");
}

TEST_F(ContactStore, NullAndOddColumnsRead) {
    run("insert into Contact(id, isFavorite, isFromPhone, callFrequency) values(3, 2, NULL, 'x')");
    const std::vector<CPPContact> stored = CPPContactTable::getInstance().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].getId(), 3);
    EXPECT_TRUE(stored[0].isFavorite());
    EXPECT_FALSE(stored[0].isFromPhone());
    EXPECT_EQ(stored[0].getCallFrequency(), 0);
    EXPECT_EQ(stored[0].getFullName(), "  ");
    // The favorite lists match 1 and 0 exactly, so a stored 2 reads as favorite yet shows in neither.
    EXPECT_TRUE(CPPContactTable::getInstance().getFavoritesOrderedBy("firstName", true).empty());
    EXPECT_TRUE(CPPContactTable::getInstance().getNonFavoritesOrderedBy("firstName", true).empty());
    // A NULL isFromPhone (a row older than the column) is not one of the phone's contacts.
    EXPECT_TRUE(CPPContactManager::getInstance().removeAllContactsFromPhone());
    EXPECT_EQ(scalar("select count(*) from Contact"), "1");
}

// The lowest-id number row holding the text decides, even when its owner is gone.
TEST_F(ContactStore, ByNumberResolvesThroughTheFirstNumberRow) {
    const int32_t gone = store(contact("Gone"), {"555"});
    const int32_t ann = store(contact("Ann"), {"555", "101"});
    store(contact("Bob"), {"101"});
    CPPContactTable& table = CPPContactTable::getInstance();
    for (const bool indexed : {false, true}) {
        SCOPED_TRACE(indexed);
        if (indexed) {
            ASSERT_TRUE(CPPContactNumberTable::getInstance().createIndexes());
        }
        EXPECT_TRUE(table.getByNumber("999").empty());
        EXPECT_TRUE(table.getByNumber("10").empty());
        ASSERT_EQ(table.getByNumber("101").size(), 1U);
        EXPECT_EQ(table.getByNumber("101")[0].getId(), ann);
        EXPECT_EQ(table.getByNumber("555")[0].getId(), gone);
    }
    run("delete from Contact where id = " + std::to_string(gone));
    EXPECT_TRUE(table.getByNumber("555").empty());
}

// The call code looks a party up by the whole text it holds, "@" part and all.
TEST_F(ContactStore, ContactByNumberComparesTheWholeText) {
    const int32_t ann = store(contact("Ann"), {"101"});
    CPPContactManager& manager = CPPContactManager::getInstance();
    ASSERT_EQ(manager.contactByNumber("101").size(), 1U);
    EXPECT_EQ(manager.contactByNumber("101").front().getId(), ann);
    EXPECT_TRUE(manager.contactByNumber("101@pbx").empty());
    EXPECT_TRUE(manager.contactByNumber("10 1").empty());
}

TEST_F(ContactStore, ByNameMatchesAllThreePartsExactly) {
    CPPContact withInitial = contact("Ann", "Lee");
    withInitial.setMiddleInitial("B");
    store(withInitial);
    const int32_t plain = store(contact("Ann", "Lee"));
    store(contact("ann", "Lee"));
    const std::vector<CPPContact> found = CPPContactManager::getInstance().contactByName("Ann", "", "Lee");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].getId(), plain);
}

TEST_F(ContactStore, TextsRoundTripAndNulIsRefused) {
    CPPContactTable& table = CPPContactTable::getInstance();
    CPPContact ann = contact("Ann", "O'Brien");
    ASSERT_TRUE(table.insert(ann));
    EXPECT_NE(trace().back().find("'O''Brien'"), std::string::npos);
    ASSERT_EQ(table.getByName("Ann", "", "O'Brien").size(), 1U);

    for (const std::string text : {"say \"hi\"", "a, b", "Émile Ünal", "x'); delete from Contact; --"}) {
        SCOPED_TRACE(text);
        CPPContact record = contact(text, text, text);
        record.setMiddleInitial(text);
        ASSERT_TRUE(table.insert(record));
        record.setCompany(text + "'");
        ASSERT_TRUE(table.update(record));
        const std::vector<CPPContact> found = table.getByName(text, text, text);
        ASSERT_EQ(found.size(), 1U);
        EXPECT_EQ(found[0].getCompany(), text + "'");
    }
    EXPECT_EQ(scalar("select count(*) from Contact"), "5");

    clearTrace();
    CPPContact withNul = contact(std::string("a\0b", 3));
    withNul.setId(7);
    EXPECT_FALSE(table.insert(withNul));
    EXPECT_FALSE(table.update(withNul));
    EXPECT_EQ(withNul.getId(), 7);
    EXPECT_TRUE(table.getByNumber(std::string("1\0", 2)).empty());
    EXPECT_TRUE(table.getByName("a", std::string("\0", 1), "b").empty());
    EXPECT_TRUE(trace().empty());
}

TEST_F(ContactStore, FailuresGiveEmptyListsAndFalse) {
    store(contact("Ann"));
    run("drop table Contact");
    CPPContact ann = contact("Ann");
    ann.setId(3);
    CPPContactTable& table = CPPContactTable::getInstance();
    EXPECT_TRUE(table.getAll().empty());
    EXPECT_TRUE(table.getAllOrderedBy("firstName", true).empty());
    EXPECT_FALSE(table.insert(ann));
    EXPECT_EQ(ann.getId(), 3);
    EXPECT_FALSE(table.update(ann));
    EXPECT_FALSE(table.incrementCallFrequency(3));
    EXPECT_FALSE(table.remove(ann));
}

} // namespace
