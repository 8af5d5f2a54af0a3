#include "Logic/connection/Serial/PropertyObservers.h"

uint64_t PropertyObservers::addObserver(Callback callback) {
    std::lock_guard lock(m_mutex);
    const uint64_t token = m_nextToken++;
    m_callbacks.emplace_back(token, std::make_shared<const Callback>(std::move(callback)));
    return token;
}

void PropertyObservers::removeObserver(uint64_t token) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_callbacks, [token](const auto& entry) { return entry.first == token; });
}

void PropertyObservers::notify(const std::string& key) const {
    std::vector<std::shared_ptr<const Callback>> callbacks;
    {
        std::lock_guard lock(m_mutex);
        if (m_callbacks.empty())
            return;
        callbacks.reserve(m_callbacks.size());
        for (const auto& entry : m_callbacks)
            callbacks.push_back(entry.second);
    }
    for (const auto& callback : callbacks)
        if (*callback)
            (*callback)(key);
}
