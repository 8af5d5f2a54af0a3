#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace Platform {

// A serial queue with one worker thread of its own: tasks run one at a time, in the order
// posted, never under the queue's lock. The worker starts with the first task. Delayed tasks
// (timers) wait on the real steady clock and join the end of the queue when due.
//
// Destruction runs the tasks already queued, drops the delayed ones that are not due, and
// joins the worker. Never destroy a queue, wait for it (sync, waitUntilIdle) or expect order
// across queues from inside one of its own tasks beyond what each method says.
class DispatchQueue {
public:
    using TaskId = uint64_t;

    explicit DispatchQueue(std::string label);
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    const std::string& label() const { return m_label; }

    // Never blocks beyond a short lock. When the system refuses the worker thread the task
    // stays queued and the next post tries again.
    void post(std::function<void()> task);

    // Queues task once delay has passed; the id cancels it until then. Ids are never 0.
    TaskId postAfter(std::chrono::milliseconds delay, std::function<void()> task);
    // True when the task was still waiting and will not run; false once it is due or ran.
    bool cancel(TaskId id);

    // Runs task on the worker after everything queued before it and returns when it is done.
    // Called from one of this queue's own tasks it runs the task at once instead of waiting
    // for itself.
    void sync(const std::function<void()>& task);

    // Returns when nothing is queued and no task is running; delayed tasks that are not yet
    // due do not count. From one of this queue's own tasks it returns at once.
    void waitUntilIdle();

    // True on this queue's worker thread.
    bool isCurrent() const;

private:
    void ensureWorkerLocked();
    void workerLoop();
    // Moves the delayed tasks that are due to the end of the queue.
    void promoteDueLocked(std::chrono::steady_clock::time_point now);

    const std::string m_label;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_tasks;
    struct Delayed {
        std::chrono::steady_clock::time_point due;
        std::function<void()> task;
    };
    // Ordered by id, which follows posting order; the worker scans for the earliest due.
    std::map<TaskId, Delayed> m_delayed;
    TaskId m_nextId = 1;
    bool m_running = false;
    bool m_stopping = false;
    std::thread m_worker;
    std::thread::id m_workerId;
};

} // namespace Platform
