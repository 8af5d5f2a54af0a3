#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace Platform {

// Owns every thread an object starts, so the owner can stop and join them all before it goes
// away. Nothing is ever detached. A finished thread is joined (reaped) by the next spawn, so a
// long-lived group holds only the threads still running.
//
//     ThreadGroup threads;
//     threads.spawn([this] { receiveLoop(); });   // false: not started
//     ...
//     threads.stop();       // no new threads from here on
//     threads.joinAll();    // from a thread outside the group
class ThreadGroup {
public:
    ThreadGroup() = default;
    // Stops the group and joins what is left; the owner should have done so already.
    ~ThreadGroup();
    ThreadGroup(const ThreadGroup&) = delete;
    ThreadGroup& operator=(const ThreadGroup&) = delete;

    // Starts task on a new thread of the group. False, and nothing started, once the group is
    // stopping or when the system refuses a thread (std::system_error). May be called from a
    // thread of the group; that caller is never reaped by its own spawn.
    bool spawn(std::function<void()> task);

    // From now on spawn refuses. Running threads are not interrupted: the owner tells them.
    void stop();
    bool isStopping() const { return m_stopping.load(); }

    // Joins every thread of the group, also those started meanwhile, until none is left.
    // Never call it from a thread of the group (it would wait for itself); that thread is
    // skipped and stays in the group.
    void joinAll();

    // Threads started and not yet joined (finished ones included until reaped).
    size_t size() const;

    // Test seam: the next count spawns, process-wide, fail as if the system refused a thread.
    static void failNextSpawns(int count);

private:
    struct Member {
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    // Takes the finished members (or, with all, every member) out of the list, except the
    // calling thread's own.
    std::list<std::shared_ptr<Member>> takeMembers(bool all);

    mutable std::mutex m_mutex;
    std::list<std::shared_ptr<Member>> m_members;
    std::atomic<bool> m_stopping{false};
};

} // namespace Platform
