#include "Platform/ThreadGroup.h"

#include <system_error>
#include <utility>

namespace Platform {

namespace {

std::atomic<int> refusedSpawns{0};

// True when a refusal was still owed; counts it off.
bool takeRefusal() {
    int owed = refusedSpawns.load();
    while (owed > 0) {
        if (refusedSpawns.compare_exchange_weak(owed, owed - 1))
            return true;
    }
    return false;
}

} // namespace

ThreadGroup::~ThreadGroup() {
    stop();
    joinAll();
}

bool ThreadGroup::spawn(std::function<void()> task) {
    if (m_stopping.load() || takeRefusal())
        return false;
    // Finished threads are joined here, outside the lock; joining one that has just set its
    // flag waits only for it to return.
    for (const std::shared_ptr<Member>& done : takeMembers(false))
        done->thread.join();

    auto member = std::make_shared<Member>();
    std::lock_guard lock(m_mutex);
    if (m_stopping.load())
        return false;
    try {
        // The thread never touches member->thread, which is assigned under the lock.
        member->thread = std::thread([member, work = std::move(task)] {
            work();
            member->finished.store(true);
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_members.push_back(std::move(member));
    return true;
}

void ThreadGroup::stop() {
    std::lock_guard lock(m_mutex);
    m_stopping.store(true);
}

void ThreadGroup::joinAll() {
    for (;;) {
        std::list<std::shared_ptr<Member>> taken = takeMembers(true);
        if (taken.empty())
            return;
        for (const std::shared_ptr<Member>& member : taken)
            member->thread.join();
    }
}

size_t ThreadGroup::size() const {
    std::lock_guard lock(m_mutex);
    return m_members.size();
}

void ThreadGroup::failNextSpawns(int count) {
    refusedSpawns.store(count);
}

std::list<std::shared_ptr<ThreadGroup::Member>> ThreadGroup::takeMembers(bool all) {
    std::list<std::shared_ptr<Member>> taken;
    const std::thread::id self = std::this_thread::get_id();
    std::lock_guard lock(m_mutex);
    for (auto it = m_members.begin(); it != m_members.end();) {
        const bool take = (all || (*it)->finished.load()) && (*it)->thread.get_id() != self;
        if (take)
            taken.splice(taken.end(), m_members, it++);
        else
            ++it;
    }
    return taken;
}

} // namespace Platform
