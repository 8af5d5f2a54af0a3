#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace Platform {

// The queue of work for the program's main thread: serial-port events and anything else that
// must run where the interface lives. Any thread may post; tasks run one at a time, in the
// order posted, on whichever thread drains the queue.
//
// The Qt application binds it to its GUI thread: the wake-up it gives is called (on the
// posting thread, with no lock held) when a task arrives and no wake-up is outstanding; the
// GUI side then calls runPending() on its own thread, which clears the mark, so a burst of
// posts costs one wake-up. Unbound (tests, benchmarks), the owner of the main thread drains
// it with runPending() or pumpUntil().
//
// The core (Logic/) only ever posts to it and never waits for it.
class MainQueue {
public:
    // The program's one queue; never destroyed, so a late post at exit is harmless.
    static MainQueue& shared();

    MainQueue() = default;
    MainQueue(const MainQueue&) = delete;
    MainQueue& operator=(const MainQueue&) = delete;

    // Never blocks beyond a short lock; safe from any thread, also from a running task.
    void post(std::function<void()> task);

    // Installs the wake-up; tasks already waiting get one wake-up at once. An empty function
    // (or unbind) goes back to draining by hand.
    void bind(std::function<void()> wakeUp);
    void unbind() { bind({}); }

    // Runs the tasks that are queued when it is called, in order, on the calling thread, and
    // returns how many ran. Tasks they post wait for the next call. A task may call it again
    // (a nested drain); order is kept.
    size_t runPending();
    // The same, but it stops starting tasks once the deadline has passed; the rest stay queued
    // in order for the next call, with a wake-up given for them when the queue is bound.
    size_t runPending(std::chrono::steady_clock::time_point deadline);

    // Runs tasks as they arrive until done() is true or the timeout passes (real time);
    // returns done()'s last answer. done() is checked before each task and every few
    // milliseconds, so it may also watch what other threads do.
    bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    size_t pendingCount() const;

private:
    // Under the mutex: the binding's wake-up, marked outstanding, unless none is bound or one
    // is outstanding already (then empty). Call what it gives after unlocking.
    std::function<void()> claimWakeUpLocked();
    // Removes the front task, waiting until deadline for one; empty when none came.
    std::function<void()> takeNext(std::chrono::steady_clock::time_point deadline);

    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::function<void()>> m_tasks;
    std::function<void()> m_wakeUp;
    bool m_wakeUpOutstanding = false;
};

} // namespace Platform
