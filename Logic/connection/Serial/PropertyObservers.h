#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The observers of an object's observable properties. Each is told the name of the property
// that changed ("isOpen", "CTS", "availablePorts", ...), on the thread that changed it, after
// the change, without any lock held, in the order they were added.
class PropertyObservers {
public:
    using Callback = std::function<void(const std::string& key)>;

    // Returns a token for removeObserver; never 0.
    uint64_t addObserver(Callback callback);
    // A call already running on another thread may still finish after this returns.
    void removeObserver(uint64_t token);
    void notify(const std::string& key) const;

private:
    mutable std::mutex m_mutex;
    uint64_t m_nextToken = 1;
    std::vector<std::pair<uint64_t, std::shared_ptr<const Callback>>> m_callbacks;
};
