#include "Platform/NotificationCenter.h"

#include <algorithm>
#include <utility>

namespace Platform {

namespace {

// The observers whose callbacks this thread is inside right now, innermost last.
thread_local std::vector<const void*> callsOnThisThread;

} // namespace

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* const center = new NotificationCenter;
    return *center;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(std::string name, const void* object,
                                                                  Callback callback) {
    auto observer = std::make_shared<Observer>();
    observer->name = std::move(name);
    observer->object = object;
    observer->callback = std::move(callback);
    std::lock_guard lock(m_mutex);
    observer->token = m_nextToken++;
    m_observers.push_back(observer);
    return observer->token;
}

void NotificationCenter::removeObserver(ObserverToken token) {
    // Declared before the lock, so a last reference (and the callback's captures) dies unlocked.
    std::shared_ptr<Observer> observer;
    std::unique_lock lock(m_mutex);
    const auto found = std::find_if(m_observers.begin(), m_observers.end(),
                                    [token](const auto& entry) { return entry->token == token; });
    if (found == m_observers.end())
        return;
    observer = *found;
    m_observers.erase(found);
    observer->removed = true;
    // Our own calls (we are inside the callback) cannot end while we wait; skip them.
    const auto own = std::count(callsOnThisThread.begin(), callsOnThisThread.end(), observer.get());
    m_callEnded.wait(lock, [&] { return observer->running <= own; });
}

void NotificationCenter::post(const std::string& name, const void* object, UserInfo userInfo) {
    const Notification notification{name, object, std::move(userInfo)};
    std::vector<std::shared_ptr<Observer>> matching;
    {
        std::lock_guard lock(m_mutex);
        for (const std::shared_ptr<Observer>& observer : m_observers) {
            if (observer->name == name && (observer->object == nullptr || observer->object == object))
                matching.push_back(observer);
        }
    }
    for (const std::shared_ptr<Observer>& observer : matching) {
        {
            // Checked again per call: an earlier observer may have removed a later one.
            std::lock_guard lock(m_mutex);
            if (observer->removed)
                continue;
            ++observer->running;
        }
        callsOnThisThread.push_back(observer.get());
        observer->callback(notification);
        callsOnThisThread.pop_back();
        {
            std::lock_guard lock(m_mutex);
            --observer->running;
        }
        m_callEnded.notify_all();
    }
}

} // namespace Platform
