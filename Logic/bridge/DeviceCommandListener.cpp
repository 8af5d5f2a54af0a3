#include "Logic/bridge/DeviceCommandListener.h"

#include "Platform/NotificationCenter.h"

#include <utility>

DeviceCommandListener& DeviceCommandListener::getInstance() {
    static DeviceCommandListener instance;
    return instance;
}

DeviceCommandListener::DeviceCommandListener() : m_notificationQueue("notificationQueue") {
    // Made now, not by the first post on the queue's thread; it is never destroyed, so it
    // outlives this listener at exit.
    Platform::NotificationCenter::defaultCenter();
}

void DeviceCommandListener::notify(NotificationInfoObjectPtr info) {
    m_notificationQueue.post([this, info = std::move(info)] {
        Platform::NotificationCenter::defaultCenter().post(notificationName, this, {{dataKey, info}});
    });
}

void DeviceCommandListener::waitUntilDelivered() {
    m_notificationQueue.waitUntilIdle();
}
