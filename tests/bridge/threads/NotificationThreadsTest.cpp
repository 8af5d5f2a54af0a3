#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommandNotificationListenerObjCPP.h"
#include "Logic/common/Codes.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"
#include "Platform/ThreadGroup.h"
#include "support/PostCollector.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int producers = 4;
constexpr int recordsEach = 250;
constexpr size_t total = producers * recordsEach;

// Device threads notify while observers come and go and one observer hops to the main queue:
// each post arrives once, one at a time, in the order the records were handed over.
TEST(NotificationThreadsTest, EveryPostArrivesOnceInProductionOrder) {
    DeviceCommandNotificationListenerObjCPP bridge;
    bridge.setListener(&DeviceCommandListener::getInstance());
    Platform::NotificationCenter& centre = Platform::NotificationCenter::defaultCenter();
    PostCollector onQueue;

    // The interface's way: copy on the queue, hop to the main thread, handle there.
    std::vector<std::string> onMain;
    const auto hop = centre.addObserver(
        "notification", &DeviceCommandListener::getInstance(),
        [&onMain](const Platform::NotificationCenter::Notification& post) {
            const auto info = std::any_cast<NotificationInfoObjectPtr>(post.userInfo.at("data"));
            Platform::MainQueue::shared().post([&onMain, info] { onMain.push_back(info->pnStr()); });
        });

    std::atomic<bool> producing{true};
    std::atomic<int> running{0};
    Platform::ThreadGroup threads;
    ASSERT_TRUE(threads.spawn([&] {
        while (producing.load()) {
            const auto token =
                centre.addObserver("notification", nullptr, [&running](const auto&) { ++running; });
            centre.removeObserver(token);
        }
    }));
    for (int producer = 0; producer < producers; ++producer) {
        ASSERT_TRUE(threads.spawn([&bridge, producer] {
            for (int sequence = 0; sequence < recordsEach; ++sequence) {
                CPPNotificationInfo info;
                info.setNotificationType(NotificationType::PARTY_STATE);
                info.setPn(std::to_string(producer) + ":" + std::to_string(sequence));
                bridge.notify(&info);
            }
        }));
    }

    ASSERT_TRUE(Platform::MainQueue::shared().pumpUntil([&] { return onMain.size() >= total; },
                                                        std::chrono::seconds(60)));
    producing.store(false);
    threads.stop();
    threads.joinAll();
    DeviceCommandListener::getInstance().waitUntilDelivered();
    Platform::MainQueue::shared().runPending();
    centre.removeObserver(hop);

    const std::vector<std::string> seen = onQueue.words();
    EXPECT_EQ(seen.size(), total);
    EXPECT_EQ(onMain, seen);
    // Each producer's records in its own order, none twice, none lost.
    std::map<std::string, int> next;
    for (const std::string& word : seen) {
        const std::string producer = word.substr(0, word.find(':'));
        EXPECT_EQ(std::stoi(word.substr(word.find(':') + 1)), next[producer]++) << word;
    }
    EXPECT_EQ(next.size(), static_cast<size_t>(producers));
}

} // namespace
