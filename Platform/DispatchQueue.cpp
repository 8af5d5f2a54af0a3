#include "Platform/DispatchQueue.h"

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

namespace Platform {

DispatchQueue::DispatchQueue(std::string label) : m_label(std::move(label)) {}

DispatchQueue::~DispatchQueue() {
    std::map<TaskId, Delayed> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        dropped.swap(m_delayed);
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void DispatchQueue::post(std::function<void()> task) {
    {
        std::unique_lock lock(m_mutex);
        m_tasks.push_back(std::move(task));
        ensureWorkerLocked();
    }
    m_changed.notify_all();
}

DispatchQueue::TaskId DispatchQueue::postAfter(std::chrono::milliseconds delay, std::function<void()> task) {
    TaskId id = 0;
    {
        std::unique_lock lock(m_mutex);
        id = m_nextId++;
        m_delayed.emplace(id, Delayed{std::chrono::steady_clock::now() + delay, std::move(task)});
        ensureWorkerLocked();
    }
    m_changed.notify_all();
    return id;
}

bool DispatchQueue::cancel(TaskId id) {
    std::lock_guard lock(m_mutex);
    return m_delayed.erase(id) > 0;
}

void DispatchQueue::sync(const std::function<void()>& task) {
    if (isCurrent()) {
        task();
        return;
    }
    bool done = false;
    post([&] {
        task();
        std::lock_guard lock(m_mutex);
        done = true;
        m_changed.notify_all();
    });
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return done; });
}

void DispatchQueue::waitUntilIdle() {
    if (isCurrent())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_tasks.empty() && !m_running; });
}

bool DispatchQueue::isCurrent() const {
    std::lock_guard lock(m_mutex);
    return m_workerId == std::this_thread::get_id();
}

void DispatchQueue::ensureWorkerLocked() {
    if (m_worker.joinable() || m_stopping)
        return;
    try {
        m_worker = std::thread([this] { workerLoop(); });
        m_workerId = m_worker.get_id();
    } catch (const std::system_error&) {
        // No thread now; the tasks wait for the next post to try again.
    }
}

void DispatchQueue::workerLoop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        promoteDueLocked(std::chrono::steady_clock::now());
        if (!m_tasks.empty()) {
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            m_running = true;
            lock.unlock();
            task();
            // The task's captures die here, outside the lock.
            task = nullptr;
            lock.lock();
            m_running = false;
            m_changed.notify_all();
            continue;
        }
        if (m_stopping)
            return;
        if (m_delayed.empty()) {
            m_changed.wait(lock);
        } else {
            const auto earliest =
                std::min_element(m_delayed.begin(), m_delayed.end(),
                                 [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
            // A copy: cancel() may erase the entry while the wait has the lock released.
            const auto due = earliest->second.due;
            m_changed.wait_until(lock, due);
        }
    }
}

void DispatchQueue::promoteDueLocked(std::chrono::steady_clock::time_point now) {
    std::vector<std::pair<std::chrono::steady_clock::time_point, TaskId>> due;
    for (const auto& [id, delayed] : m_delayed) {
        if (delayed.due <= now)
            due.emplace_back(delayed.due, id);
    }
    // Earliest first; equal times keep posting order.
    std::sort(due.begin(), due.end());
    for (const auto& [time, id] : due) {
        auto found = m_delayed.find(id);
        m_tasks.push_back(std::move(found->second.task));
        m_delayed.erase(found);
    }
}

} // namespace Platform
