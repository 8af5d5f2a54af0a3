#include "Platform/DispatchQueue.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"
#include "Platform/ThreadGroup.h"

#include <gtest/gtest.h>

#include <any>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Tasks posted while a drain runs wait for the next one, and a nested drain (a task that
// pumps, as a modal loop would) keeps the posting order.
TEST(MainQueue, DrainsInPostingOrderAlsoWhenNested) {
    Platform::MainQueue queue;
    std::vector<int> ran;
    queue.post([&] {
        ran.push_back(1);
        queue.post([&] { ran.push_back(5); });
        queue.post([&] { ran.push_back(6); });
    });
    queue.post([&] {
        ran.push_back(2);
        queue.post([&] { ran.push_back(7); });
        EXPECT_EQ(queue.runPending(), 5u);
    });
    queue.post([&] { ran.push_back(3); });
    queue.post([&] { ran.push_back(4); });
    EXPECT_EQ(queue.runPending(), 2u);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    queue.post([&] { ran.push_back(8); });
    queue.post([&] {
        ran.push_back(9);
        queue.post([&] { ran.push_back(10); });
    });
    EXPECT_EQ(queue.runPending(), 2u);
    EXPECT_EQ(ran.back(), 9);
    EXPECT_EQ(queue.pendingCount(), 1u);
}

// A burst of posts costs the bound side one wake-up; draining re-arms it, and binding with
// work already waiting wakes at once.
TEST(MainQueue, BindingIsWokenOncePerDrain) {
    Platform::MainQueue queue;
    queue.post([] {});
    int wakeUps = 0;
    queue.bind([&] { ++wakeUps; });
    EXPECT_EQ(wakeUps, 1);
    queue.post([] {});
    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(queue.runPending(), 2u);
    queue.post([] {});
    queue.post([] {});
    EXPECT_EQ(wakeUps, 2);
    queue.unbind();
    queue.post([] {});
    EXPECT_EQ(wakeUps, 2);
    EXPECT_EQ(queue.runPending(), 3u);
}

// A drain out of time stops between tasks: the rest keep their order, and the bound side is
// woken for them, or a burst would sit in the queue until the next post.
TEST(MainQueue, DrainOutOfTimeLeavesTheRestInOrderAndWakesForThem) {
    Platform::MainQueue queue;
    int wakeUps = 0;
    queue.bind([&] { ++wakeUps; });
    std::vector<int> ran;
    for (int task = 1; task <= 3; ++task) {
        queue.post([&ran, task] { ran.push_back(task); });
    }
    EXPECT_EQ(wakeUps, 1);
    const auto past = std::chrono::steady_clock::now() - 1s;
    EXPECT_EQ(queue.runPending(past), 1u);
    EXPECT_EQ(wakeUps, 2);
    queue.post([&ran] { ran.push_back(4); });
    EXPECT_EQ(wakeUps, 2);
    EXPECT_EQ(queue.runPending(past), 1u);
    EXPECT_EQ(wakeUps, 3);
    EXPECT_EQ(queue.runPending(std::chrono::steady_clock::now() + 1h), 2u);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(wakeUps, 3);
    queue.unbind();
}

TEST(MainQueue, PumpUntilRunsTasksUntilDoneOrTimeout) {
    Platform::MainQueue queue;
    bool done = false;
    bool ranAfterDone = false;
    queue.post([&] { done = true; });
    queue.post([&] { ranAfterDone = true; });
    EXPECT_TRUE(queue.pumpUntil([&] { return done; }, 1s));
    EXPECT_FALSE(ranAfterDone);
    EXPECT_EQ(queue.pendingCount(), 1u);
    EXPECT_FALSE(queue.pumpUntil([] { return false; }, 20ms));
    EXPECT_TRUE(ranAfterDone);
}

// Timers run in the order they fall due, then posting order; a cancelled one never runs.
TEST(DispatchQueue, DelayedTasksRunWhenDueUnlessCancelled) {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> ran;
    const auto record = [&](const char* what) {
        return [&, what] {
            std::lock_guard lock(mutex);
            ran.push_back(what);
            changed.notify_all();
        };
    };
    Platform::DispatchQueue queue("test.delays");
    queue.postAfter(40ms, record("late"));
    const auto cancelled = queue.postAfter(10ms, record("cancelled"));
    queue.postAfter(10ms, record("early"));
    queue.post(record("now"));
    EXPECT_TRUE(queue.cancel(cancelled));
    EXPECT_FALSE(queue.cancel(cancelled));
    std::unique_lock lock(mutex);
    EXPECT_TRUE(changed.wait_for(lock, 2s, [&] { return ran.size() == 3; }));
    EXPECT_EQ(ran, (std::vector<std::string>{"now", "early", "late"}));
}

// Waiting for the queue from one of its own tasks must not wait for itself.
TEST(DispatchQueue, SyncAndIdleFromOwnTaskDoNotDeadlock) {
    Platform::DispatchQueue queue("test.reentry");
    std::vector<int> ran;
    queue.sync([&] {
        EXPECT_TRUE(queue.isCurrent());
        queue.sync([&] { ran.push_back(1); });
        queue.waitUntilIdle();
        ran.push_back(2);
    });
    EXPECT_FALSE(queue.isCurrent());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

// Destruction runs what is queued (also what those tasks post) and drops timers not yet due.
// The first task waits until the second is posted, so the one it posts comes after both.
TEST(DispatchQueue, DestructionRunsQueuedAndDropsDelayed) {
    std::vector<int> ran;
    auto captured = std::make_shared<int>(0);
    {
        std::promise<void> secondPosted;
        Platform::DispatchQueue queue("test.destruction");
        queue.postAfter(1h, [captured] { *captured = 1; });
        queue.post([&, posted = secondPosted.get_future().share()] {
            posted.wait();
            ran.push_back(1);
            queue.post([&] { ran.push_back(3); });
        });
        queue.post([&] { ran.push_back(2); });
        secondPosted.set_value();
    }
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(*captured, 0);
    EXPECT_EQ(captured.use_count(), 1);
}

TEST(NotificationCenter, DeliversByNameAndObjectInRegistrationOrder) {
    Platform::NotificationCenter center;
    const int poster = 0;
    const int other = 0;
    std::vector<std::string> heard;
    center.addObserver("changed", nullptr, [&](const auto& note) {
        heard.push_back("any:" + std::any_cast<std::string>(note.userInfo.at("what")));
    });
    center.addObserver("changed", &poster, [&](const auto&) { heard.push_back("poster"); });
    center.addObserver("other", nullptr, [&](const auto&) { heard.push_back("other"); });
    center.post("changed", &poster, {{"what", std::string("a")}});
    center.post("changed", &other, {{"what", std::string("b")}});
    EXPECT_EQ(heard, (std::vector<std::string>{"any:a", "poster", "any:b"}));
}

// An observer may remove itself or a later observer from inside a call: no deadlock, and the
// removed one is skipped for the rest of that very post.
TEST(NotificationCenter, RemovalFromInsideACallTakesEffectAtOnce) {
    Platform::NotificationCenter center;
    std::vector<std::string> heard;
    Platform::NotificationCenter::ObserverToken self = 0;
    Platform::NotificationCenter::ObserverToken later = 0;
    self = center.addObserver("n", nullptr, [&](const auto&) {
        heard.push_back("self");
        center.removeObserver(self);
        center.removeObserver(later);
    });
    later = center.addObserver("n", nullptr, [&](const auto&) { heard.push_back("later"); });
    center.addObserver("n", nullptr, [&](const auto&) { heard.push_back("last"); });
    center.post("n");
    center.post("n");
    center.removeObserver(12345);
    EXPECT_EQ(heard, (std::vector<std::string>{"self", "last", "last"}));
}

TEST(ThreadGroup, RefusesAfterStopOrWhenTheSystemRefuses) {
    Platform::ThreadGroup group;
    std::atomic<int> ran{0};
    Platform::ThreadGroup::failNextSpawns(1);
    EXPECT_FALSE(group.spawn([&] { ++ran; }));
    EXPECT_TRUE(group.spawn([&] { ++ran; }));
    group.stop();
    EXPECT_FALSE(group.spawn([&] { ++ran; }));
    group.joinAll();
    EXPECT_EQ(ran.load(), 1);
    EXPECT_EQ(group.size(), 0u);
}

// Finished threads are reaped by later spawns, so a group that starts a thread per link does
// not grow without bound.
TEST(ThreadGroup, SpawnReapsFinishedThreads) {
    Platform::ThreadGroup group;
    for (int i = 0; i < 50; ++i) {
        std::atomic<bool> done{false};
        ASSERT_TRUE(group.spawn([&] { done.store(true); }));
        while (!done.load())
            std::this_thread::yield();
    }
    EXPECT_LE(group.size(), 3u);
}

// A thread of the group that joins the group waits for the others, never for itself.
TEST(ThreadGroup, JoinAllFromAMemberSkipsItself) {
    Platform::ThreadGroup group;
    std::atomic<int> ran{0};
    ASSERT_TRUE(group.spawn([&] {
        ASSERT_TRUE(group.spawn([&] { ++ran; }));
        group.joinAll();
        EXPECT_EQ(ran.load(), 1);
        ++ran;
    }));
    while (ran.load() < 2)
        std::this_thread::yield();
    group.joinAll();
    EXPECT_EQ(group.size(), 0u);
}

} // namespace
