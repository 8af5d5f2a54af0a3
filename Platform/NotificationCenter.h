#pragma once

#include <any>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Platform {

// Named broadcasts inside the process: the core bridge tells the interface of device events,
// the serial port manager of ports coming and going, screens tell each other of changes.
//
// post calls every matching observer synchronously on the posting thread, in the order they
// were added, with no lock held, so an observer may post, add or remove observers. Work that
// belongs to another thread is the observer's to hand over (MainQueue, DispatchQueue).
class NotificationCenter {
public:
    using UserInfo = std::map<std::string, std::any>;

    struct Notification {
        std::string name;
        // Who posted it; compared by address only, never dereferenced here.
        const void* object = nullptr;
        UserInfo userInfo;
    };

    using Callback = std::function<void(const Notification&)>;
    // 0 is never a valid token.
    using ObserverToken = uint64_t;

    // The program's centre; never destroyed, so observers may leave it during exit.
    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The observer hears posts of name; with an object, only those posted by that object,
    // with nullptr, those of any poster.
    ObserverToken addObserver(std::string name, const void* object, Callback callback);

    // After it returns the callback is never called again: calls already running on other
    // threads are waited for (a call running on this thread, from inside the callback, is
    // not). Unknown tokens are ignored.
    void removeObserver(ObserverToken token);

    void post(const std::string& name, const void* object = nullptr, UserInfo userInfo = {});

private:
    struct Observer {
        ObserverToken token = 0;
        std::string name;
        const void* object = nullptr;
        Callback callback;
        int running = 0;
        bool removed = false;
    };

    mutable std::mutex m_mutex;
    std::condition_variable m_callEnded;
    std::vector<std::shared_ptr<Observer>> m_observers;
    ObserverToken m_nextToken = 1;
};

} // namespace Platform
