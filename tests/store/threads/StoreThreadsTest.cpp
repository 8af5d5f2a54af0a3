#include "Logic/store/CPPCallLogManager.h"
#include "Logic/store/CPPContactManager.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

namespace {

using StoreThreads = StoreFixture;

// The call code writes the log and raises call counts on its own thread while the user saves
// contacts: every id written back must be that of the writer's own row.
TEST_F(StoreThreads, CallCodeAndScreensWriteSideBySide) {
    database().setStatementObserver(nullptr);
    run("pragma synchronous = off");
    constexpr int contactCount = 500;
    std::atomic<int> added{0};

    std::map<int32_t, int32_t> increments;
    std::vector<std::pair<int32_t, std::string>> loggedIds;
    std::thread callCode([&] {
        for (int call = 0; call < 400; ++call) {
            const int target = call % std::max(1, added.load());
            CPPCallLog entry = callLog("c" + std::to_string(target) + "-a", CallType::PLACED);
            ASSERT_TRUE(CPPCallLogManager::getInstance().addCallLog(entry));
            loggedIds.emplace_back(entry.getId(), entry.getCallNumber());
            const std::vector<CPPContact> owners =
                CPPContactManager::getInstance().contactByNumber(entry.getCallNumber());
            if (owners.empty())
                continue;
            ASSERT_TRUE(CPPContactManager::getInstance().updateContactRow(owners.front()));
            ++increments[owners.front().getId()];
        }
    });

    std::map<std::string, int32_t> contactIds;
    for (int i = 0; i < contactCount; ++i) {
        const std::string name = "c" + std::to_string(i);
        CPPContact record = contact(name);
        std::vector<CPPContactNumber> numbers = {number(name + "-a"), number(name + "-b")};
        ASSERT_TRUE(CPPContactManager::getInstance().addContact(record, numbers));
        contactIds[name] = record.getId();
        added.store(i + 1);
    }
    callCode.join();

    for (Row& row :
         select("select Contact.firstName as name, Contact.id as id, ContactNumber.contactId as owner, "
                "ContactNumber.number as number from ContactNumber left join Contact on "
                "Contact.id = ContactNumber.contactId")) {
        const std::string name = row["number"].substr(0, row["number"].size() - 2);
        EXPECT_EQ(row["name"], name);
        EXPECT_EQ(row["owner"], std::to_string(contactIds[name]));
    }
    EXPECT_EQ(scalar("select count(*) from ContactNumber"), std::to_string(2 * contactCount));
    for (const CPPContact& stored : CPPContactTable::getInstance().getAll()) {
        const auto found = increments.find(stored.getId());
        EXPECT_EQ(stored.getCallFrequency(), found != increments.end() ? found->second : 0) << stored.getId();
    }
    for (const auto& [id, number] : loggedIds)
        EXPECT_EQ(scalar("select callNumber from CallLog where id=" + std::to_string(id)), number);
}

} // namespace
