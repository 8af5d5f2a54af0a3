#include "App/NotificationRelay.h"

#include "Logic/bridge/NotificationInfoObject.h"
#include "Platform/MainQueue.h"

#include <any>

NotificationRelay& NotificationRelay::instance() {
    // Never destroyed: queued closures and late observers may still name it at exit.
    static auto* relay = new NotificationRelay;
    return *relay;
}

NotificationRelay::NotificationRelay() : m_observers(std::make_shared<Observers>()) {}

NotificationRelay::~NotificationRelay() {
    stop();
}

void NotificationRelay::start(Platform::NotificationCenter& center, Platform::MainQueue& queue) {
    if (m_token != 0) {
        return;
    }
    m_center = &center;
    std::weak_ptr<Observers> observers = m_observers;
    Platform::MainQueue* mainQueue = &queue;
    // Runs on the posting thread: a copy of the post goes to the main queue, nothing more.
    m_token =
        center.addObserver(notificationName, nullptr,
                           [observers, mainQueue](const Platform::NotificationCenter::Notification& posted) {
                               mainQueue->post([observers, notification = posted] {
                                   if (const std::shared_ptr<Observers> alive = observers.lock()) {
                                       deliver(alive, notification);
                                   }
                               });
                           });
}

void NotificationRelay::stop() {
    if (m_token == 0) {
        return;
    }
    m_center->removeObserver(m_token);
    m_token = 0;
    m_center = nullptr;
}

void NotificationRelay::addObserver(QObject* context, Handler handler) {
    m_observers->list.push_back({context, std::move(handler)});
}

std::shared_ptr<const NotificationInfoObject>
NotificationRelay::recordOf(const Platform::NotificationCenter::Notification& notification) {
    const auto found = notification.userInfo.find("data");
    if (found == notification.userInfo.end()) {
        return nullptr;
    }
    const auto* record = std::any_cast<std::shared_ptr<const NotificationInfoObject>>(&found->second);
    return record != nullptr ? *record : nullptr;
}

namespace {

// Posts being handled on the GUI thread (a handler may run a nested loop).
int g_deliveryDepth = 0;

} // namespace

bool NotificationRelay::isDelivering() {
    return g_deliveryDepth > 0;
}

void NotificationRelay::deliver(const std::shared_ptr<Observers>& observers,
                                const Platform::NotificationCenter::Notification& notification) {
    ++g_deliveryDepth;
    struct DepthGuard {
        ~DepthGuard() { --g_deliveryDepth; }
    } guard;
    // Observers added by a handler hear the next post, not this one.
    const size_t count = observers->list.size();
    for (size_t index = 0; index < count; ++index) {
        const Observer observer = observers->list[index];
        if (!observer.context.isNull()) {
            observer.handler(notification);
        }
    }
    std::erase_if(observers->list, [](const Observer& observer) { return observer.context.isNull(); });
}
