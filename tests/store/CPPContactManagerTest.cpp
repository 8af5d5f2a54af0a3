#include "Logic/store/CPPContactManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

using ContactManagerStore = StoreFixture;

// The increment leaves fields the user edited meanwhile as they are.
TEST_F(ContactManagerStore, UpdateContactRowAddsOneCallAndNothingElse) {
    CPPContact ann = contact("Ann", "Lee");
    ann.setCallFrequency(4);
    ann.setId(store(ann));
    CPPContact edited = ann;
    edited.setLastName("Lee-Smith");
    ASSERT_TRUE(CPPContactTable::getInstance().update(edited));

    CPPContact stale = ann;
    stale.setCallFrequency(100);
    clearTrace();
    ASSERT_TRUE(CPPContactManager::getInstance().updateContactRow(stale));
    ASSERT_TRUE(CPPContactManager::getInstance().updateContactRow(stale));
    EXPECT_EQ(trace(),
              (std::vector<std::string>(2, "update Contact set callFrequency=callFrequency+1 where id=" +
                                               std::to_string(ann.getId()))));
    const std::vector<CPPContact> stored = CPPContactTable::getInstance().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].getCallFrequency(), 6);
    EXPECT_EQ(stored[0].getLastName(), "Lee-Smith");
}

} // namespace
