#include "Logic/store/CPPSpeedDialManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

class SpeedDials : public StoreFixture {
protected:
    // Stores a contact owning one number with the given slot; returns the contact id.
    int32_t owner(const std::string& name, const std::string& text, int32_t slot) {
        CPPContact record = contact(name);
        std::vector<CPPContactNumber> numbers = {number(text, false, slot)};
        EXPECT_TRUE(CPPContactTable::getInstance().insert(record));
        EXPECT_TRUE(CPPContactNumberTable::getInstance().insert(numbers[0], record.getId()));
        return record.getId();
    }
};

// Kept: stored oddities (0, 12, duplicates) are listed, and only 1 to 9 count as slots.
TEST_F(SpeedDials, UsedAndFreeSlots) {
    CPPSpeedDialManager& manager = CPPSpeedDialManager::getInstance();
    EXPECT_EQ(manager.unassignedSpeedDials(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (const int32_t slot : {-1, 0, 3, 3, 12})
        owner("n", std::to_string(slot), slot);
    EXPECT_EQ(manager.assignedSpeedDials(), (std::vector<int32_t>{0, 3, 3, 12}));
    EXPECT_EQ(manager.unassignedSpeedDials(), (std::vector<int32_t>{1, 2, 4, 5, 6, 7, 8, 9}));
    for (const int32_t slot : {1, 2, 4, 5, 6, 7, 8, 9})
        owner("n", "x", slot);
    EXPECT_TRUE(manager.unassignedSpeedDials().empty());
}

// The slot's number is resolved through its text, so the first row with that text wins.
TEST_F(SpeedDials, ContactBySlotResolvesThroughTheNumberText) {
    CPPSpeedDialManager& manager = CPPSpeedDialManager::getInstance();
    const int32_t x = owner("X", "555", -1);
    owner("Y", "555", 2);
    ASSERT_EQ(manager.contactBySpeedDial(2).size(), 1U);
    EXPECT_EQ(manager.contactBySpeedDial(2)[0].getId(), x);
    EXPECT_TRUE(manager.contactBySpeedDial(4).empty());
    EXPECT_TRUE(manager.contactNumbersBySpeedDial(4).empty());

    // Slots -1 and 0 are looked up unchanged.
    EXPECT_EQ(manager.contactBySpeedDial(-1)[0].getId(), x);
    const int32_t zero = owner("Z", "000", 0);
    EXPECT_EQ(manager.contactBySpeedDial(0)[0].getId(), zero);

    owner("Twin", "777", 4);
    owner("Twin2", "778", 4);
    EXPECT_EQ(manager.contactNumbersBySpeedDial(4).size(), 2U);
    EXPECT_EQ(manager.contactBySpeedDial(4)[0].getFirstName(), "Twin");

    run("delete from Contact where id = " + std::to_string(x));
    EXPECT_TRUE(manager.contactBySpeedDial(2).empty());
}

// A reset rewrites the whole row from the caller's record, which keeps -1 whatever happens.
TEST_F(SpeedDials, ResetRewritesTheRowAndFreesTheSlot) {
    CPPSpeedDialManager& manager = CPPSpeedDialManager::getInstance();
    owner("Ann", "555", 3);
    CPPContactNumber held = manager.contactNumbersBySpeedDial(3).at(0);
    held.setNumber("556");
    held.setType(CPPContactNumber::Pager);
    ASSERT_TRUE(manager.resetSpeedDialForContactNumber(held));
    EXPECT_EQ(held.getSpeedDial(), -1);
    EXPECT_EQ(scalar("select number || ',' || speedDial || ',' || type from ContactNumber"), "556,-1,5");
    EXPECT_TRUE(manager.contactNumbersBySpeedDial(3).empty());
    EXPECT_EQ(manager.unassignedSpeedDials().size(), 9U);

    held.setSpeedDial(7);
    run("drop table ContactNumber");
    EXPECT_FALSE(manager.resetSpeedDialForContactNumber(held));
    EXPECT_EQ(held.getSpeedDial(), -1);
}

} // namespace
