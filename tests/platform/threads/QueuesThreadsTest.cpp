#include "Platform/DispatchQueue.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"
#include "Platform/ThreadGroup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr int PRODUCERS = 4;
constexpr int POSTS = 500;

// Producers on several threads, one draining thread as the GUI would: nothing lost, each
// producer's tasks in its own order, the bound wake-up racing the drain.
TEST(MainQueueThreads, ProducersKeepTheirOrderAcrossThreads) {
    Platform::MainQueue queue;
    std::atomic<int> wakeUps{0};
    queue.bind([&] { ++wakeUps; });
    std::vector<std::vector<int>> seen(PRODUCERS);
    std::vector<std::thread> producers;
    for (int producer = 0; producer < PRODUCERS; ++producer) {
        producers.emplace_back([&, producer] {
            for (int i = 0; i < POSTS; ++i)
                queue.post([&, producer, i] { seen[producer].push_back(i); });
        });
    }
    size_t total = 0;
    EXPECT_TRUE(queue.pumpUntil(
        [&] {
            total = 0;
            for (const auto& list : seen)
                total += list.size();
            return total == PRODUCERS * POSTS;
        },
        10s));
    for (auto& thread : producers)
        thread.join();
    for (const auto& list : seen) {
        ASSERT_EQ(list.size(), static_cast<size_t>(POSTS));
        for (int i = 0; i < POSTS; ++i)
            EXPECT_EQ(list[i], i);
    }
    EXPECT_GE(wakeUps.load(), 1);
    queue.unbind();
}

// Tasks never overlap (the plain counter would show a race to TSan), sync waits for its own
// task, and timers cancelled from other threads either ran or never run.
TEST(DispatchQueueThreads, OneTaskAtATimeWhateverThePosters) {
    Platform::DispatchQueue queue("test.threads");
    int inside = 0;
    int ran = 0;
    std::atomic<int> timersRun{0};
    std::atomic<int> cancelledRun{0};
    std::vector<std::thread> posters;
    for (int poster = 0; poster < PRODUCERS; ++poster) {
        posters.emplace_back([&] {
            for (int i = 0; i < POSTS; ++i) {
                queue.post([&] {
                    EXPECT_EQ(++inside, 1);
                    ++ran;
                    --inside;
                });
                if (i % 50 == 0) {
                    const auto kept = queue.postAfter(1ms, [&] { ++timersRun; });
                    const auto dropped = queue.postAfter(50ms, [&] { ++cancelledRun; });
                    EXPECT_TRUE(queue.cancel(dropped));
                    (void)kept;
                    int seen = -1;
                    queue.sync([&] { seen = ran; });
                    EXPECT_GE(seen, 1);
                }
            }
        });
    }
    for (auto& thread : posters)
        thread.join();
    queue.waitUntilIdle();
    queue.sync([&] { EXPECT_EQ(ran, PRODUCERS * POSTS); });
    EXPECT_EQ(cancelledRun.load(), 0);
}

// removeObserver returns only once no call of that observer runs, and none starts later,
// while posts, additions and removals race on other threads.
TEST(NotificationCenterThreads, RemovedObserversAreNeverCalledAfterwards) {
    Platform::NotificationCenter center;
    std::atomic<bool> posting{true};
    std::vector<std::thread> posters;
    for (int poster = 0; poster < PRODUCERS; ++poster) {
        posters.emplace_back([&] {
            while (posting.load())
                center.post("tick");
        });
    }
    for (int round = 0; round < 200; ++round) {
        auto gone = std::make_shared<std::atomic<bool>>(false);
        std::atomic<int> lateCalls{0};
        const auto token = center.addObserver("tick", nullptr, [gone, &lateCalls](const auto&) {
            if (gone->load())
                ++lateCalls;
        });
        std::this_thread::yield();
        center.removeObserver(token);
        gone->store(true);
        EXPECT_EQ(lateCalls.load(), 0);
    }
    posting.store(false);
    for (auto& thread : posters)
        thread.join();
}

// Members start members while another thread stops and joins the group: every started
// thread is joined, and none starts after the stop.
TEST(ThreadGroupThreads, StopAndJoinWhileMembersSpawn) {
    for (int round = 0; round < 20; ++round) {
        Platform::ThreadGroup group;
        std::atomic<int> started{0};
        std::atomic<int> finished{0};
        std::function<void(int)> chain = [&](int depth) {
            ++started;
            if (depth > 0 && !group.spawn([&, depth] { chain(depth - 1); })) {
                EXPECT_TRUE(group.isStopping());
            }
            ++finished;
        };
        for (int i = 0; i < 4; ++i)
            group.spawn([&] { chain(20); });
        std::thread stopper([&] {
            group.stop();
            group.joinAll();
        });
        stopper.join();
        EXPECT_EQ(started.load(), finished.load());
        EXPECT_EQ(group.size(), 0u);
    }
}

} // namespace
