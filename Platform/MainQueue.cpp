#include "Platform/MainQueue.h"

#include <algorithm>
#include <utility>

namespace Platform {

MainQueue& MainQueue::shared() {
    static MainQueue* const queue = new MainQueue;
    return *queue;
}

void MainQueue::post(std::function<void()> task) {
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        wakeUp = claimWakeUpLocked();
    }
    m_arrived.notify_all();
    // Called unlocked: the binding may post a queued call that drains us on another thread.
    if (wakeUp)
        wakeUp();
}

void MainQueue::bind(std::function<void()> wakeUp) {
    std::function<void()> wakeNow;
    {
        std::lock_guard lock(m_mutex);
        m_wakeUp = std::move(wakeUp);
        m_wakeUpOutstanding = false;
        if (!m_tasks.empty())
            wakeNow = claimWakeUpLocked();
    }
    if (wakeNow)
        wakeNow();
}

size_t MainQueue::runPending() {
    return runPending(std::chrono::steady_clock::time_point::max());
}

size_t MainQueue::runPending(std::chrono::steady_clock::time_point deadline) {
    size_t count = 0;
    {
        std::lock_guard lock(m_mutex);
        count = m_tasks.size();
        // From here a new post must wake the binding again.
        m_wakeUpOutstanding = false;
    }
    // One at a time from the front, so a nested drain keeps the order.
    size_t ran = 0;
    for (; ran < count; ++ran) {
        std::function<void()> task;
        std::function<void()> wakeUp;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                break;
            if (ran > 0 && std::chrono::steady_clock::now() >= deadline) {
                // Out of time: the binding comes back for the rest after its other work.
                wakeUp = claimWakeUpLocked();
            } else {
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
        }
        if (!task) {
            if (wakeUp)
                wakeUp();
            break;
        }
        task();
    }
    return ran;
}

bool MainQueue::pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    // done() may turn true on another thread without a task; look again every few ms.
    constexpr std::chrono::milliseconds slice{5};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return done();
        if (std::function<void()> task = takeNext(std::min(deadline, now + slice)))
            task();
    }
    return true;
}

size_t MainQueue::pendingCount() const {
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}

std::function<void()> MainQueue::claimWakeUpLocked() {
    if (!m_wakeUp || m_wakeUpOutstanding)
        return {};
    m_wakeUpOutstanding = true;
    return m_wakeUp;
}

std::function<void()> MainQueue::takeNext(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    if (!m_arrived.wait_until(lock, deadline, [this] { return !m_tasks.empty(); }))
        return {};
    std::function<void()> task = std::move(m_tasks.front());
    m_tasks.pop_front();
    return task;
}

} // namespace Platform
