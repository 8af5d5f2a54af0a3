#pragma once

#include "Logic/bridge/NotificationInfoObject.h"
#include "Platform/DispatchQueue.h"

// Posts every device event to the interface as "notification" on the default centre, with
// itself as the object and the event under the userInfo key "data". Posts run one at a time
// on the listener's own queue, in the order the events were handed over, so observers run
// off the interface thread and must hand their work over themselves. notify never waits.
class DeviceCommandListener {
public:
    static constexpr const char* notificationName = "notification";
    static constexpr const char* dataKey = "data";

    static DeviceCommandListener& getInstance();

    DeviceCommandListener(const DeviceCommandListener&) = delete;
    DeviceCommandListener& operator=(const DeviceCommandListener&) = delete;

    void notify(NotificationInfoObjectPtr info);

    // Returns once every post queued so far has been delivered (tests, shutdown).
    void waitUntilDelivered();

private:
    DeviceCommandListener();

    Platform::DispatchQueue m_notificationQueue;
};
