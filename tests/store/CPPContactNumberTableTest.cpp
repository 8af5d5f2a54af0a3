#include "Logic/store/CPPContactManager.h"
#include "Logic/store/CPPSpeedDialManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

using NumberStore = StoreFixture;

TEST_F(NumberStore, StatementTextsAreExact) {
    CPPContactNumberTable& table = CPPContactNumberTable::getInstance();
    CPPContactNumber entry = number("123", true);
    ASSERT_TRUE(table.insert(entry, 7));
    entry.setType(CPPContactNumber::Mobile);
    entry.setSpeedDial(3);
    table.update(entry);
    table.remove(entry);
    table.getAll();
    table.getByNumber("123");
    table.getBySpeedDial(-1);
    table.getByContactId(7);
    table.getAllByContactId();
    table.usedSpeedDials();
    table.createIndexes();
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "insert into ContactNumber(number, speedDial, type, isDefault, contactId) values('123', -1, 0, "
            "1, 7)",
            "update ContactNumber set number='123', speedDial=3, type=2, isDefault=1 where id=1",
            "delete from ContactNumber where id=1",
            "select * from ContactNumber",
            "select * from ContactNumber where number='123'",
            "select * from ContactNumber where speedDial=-1",
            "select * from ContactNumber where contactId=7 order by number asc",
            "select * from ContactNumber order by contactId asc, number asc",
            "select speedDial from ContactNumber where speedDial <> -1 order by speedDial asc",
            "create index if not exists ContactNumber_contactId on ContactNumber(contactId)",
            "create index if not exists ContactNumber_number on ContactNumber(number)",
        }));
    EXPECT_EQ(entry.getId(), 1);
    // Creating them again on the next open changes nothing.
    EXPECT_TRUE(table.createIndexes());
}

// Byte order, as SQLite's default collation compares: "+" < "0" < "1" < "9".
TEST_F(NumberStore, ContactNumbersComeInByteOrderOfTheirText) {
    const int32_t owner = store(contact("Ann"), {"9", "10", "022", "+41"});
    store(contact("Bob"), {"1"});
    EXPECT_EQ(textsOf(CPPContactNumberTable::getInstance().getByContactId(owner)),
              (std::vector<std::string>{"+41", "022", "10", "9"}));
}

TEST_F(NumberStore, ValuesAreCarriedUnchecked) {
    run("insert into ContactNumber(id, number, speedDial, type, isDefault, contactId) values(1, '5', 12, 9, "
        "2, 99)");
    run("insert into ContactNumber(id, number, speedDial, type, isDefault) values(2, '6', NULL, -3, 'x')");
    run("insert into ContactNumber(id, number) values(3, NULL)");
    const std::vector<CPPContactNumber> stored = CPPContactNumberTable::getInstance().getAll();
    ASSERT_EQ(stored.size(), 3U);
    EXPECT_EQ(stored[0].getSpeedDial(), 12);
    EXPECT_EQ(stored[0].getType(), 9);
    EXPECT_TRUE(stored[0].isDefault());
    EXPECT_EQ(stored[1].getSpeedDial(), 0);
    EXPECT_EQ(stored[1].getType(), -3);
    EXPECT_FALSE(stored[1].isDefault());
    EXPECT_EQ(stored[2].getNumber(), "");
}

TEST_F(NumberStore, ByNumberMatchesTheTextExactly) {
    store(contact("Ann"), {"123", "12 3"});
    EXPECT_EQ(textsOf(CPPContactNumberTable::getInstance().getByNumber("123")),
              (std::vector<std::string>{"123"}));
    EXPECT_TRUE(CPPContactNumberTable::getInstance().getByNumber("1234").empty());
}

TEST_F(NumberStore, TextsRoundTripAndNulIsRefused) {
    CPPContactNumberTable& table = CPPContactNumberTable::getInstance();
    for (const std::string text :
         {"O'Brien", "\"1\"", "1,2", "☎ 555", "x'); delete from ContactNumber; --"}) {
        SCOPED_TRACE(text);
        CPPContactNumber entry = number(text);
        ASSERT_TRUE(table.insert(entry, 1));
        ASSERT_EQ(textsOf(table.getByNumber(text)), (std::vector<std::string>{text}));
        entry.setNumber(text + "'");
        ASSERT_TRUE(table.update(entry));
        ASSERT_EQ(textsOf(table.getByNumber(text + "'")), (std::vector<std::string>{text + "'"}));
    }
    clearTrace();
    CPPContactNumber withNul = number(std::string("1\0"
                                                  "2",
                                                  3));
    withNul.setId(9);
    EXPECT_FALSE(table.insert(withNul, 1));
    EXPECT_FALSE(table.update(withNul));
    EXPECT_EQ(withNul.getId(), 9);
    EXPECT_TRUE(table.getByNumber(withNul.getNumber()).empty());
    EXPECT_TRUE(trace().empty());
}

TEST_F(NumberStore, FailuresGiveEmptyListsAndFalse) {
    run("drop table ContactNumber");
    CPPContactNumberTable& table = CPPContactNumberTable::getInstance();
    CPPContactNumber entry = number("1");
    entry.setId(4);
    EXPECT_FALSE(table.insert(entry, 1));
    EXPECT_EQ(entry.getId(), 4);
    EXPECT_FALSE(table.update(entry));
    EXPECT_FALSE(table.remove(entry));
    EXPECT_TRUE(table.getAll().empty());
    EXPECT_TRUE(table.getAllByContactId().empty());
    EXPECT_TRUE(table.usedSpeedDials().empty());
    // A failed read shows every slot free.
    EXPECT_EQ(table.freeSpeedDials(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Kept as the screens expect: a missing id is not an error for numbers.
TEST_F(NumberStore, MissingIdsSucceedAndOrphansAreAccepted) {
    CPPContactNumber entry = number("1");
    ASSERT_TRUE(CPPContactNumberTable::getInstance().insert(entry, 12345));
    entry.setId(99);
    EXPECT_TRUE(CPPContactNumberTable::getInstance().update(entry));
    EXPECT_TRUE(CPPContactNumberTable::getInstance().remove(entry));
    EXPECT_EQ(scalar("select count(*) from ContactNumber"), "1");
}

} // namespace
