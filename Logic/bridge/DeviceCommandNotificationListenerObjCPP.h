#pragma once

#include "Logic/protocol/CPPNotificationInfo.h"

#include <atomic>

class DeviceCommandListener;

// The core's listener on the bridge's side: copies each record into a NotificationInfoObject
// and hands it to the DeviceCommandListener, on the producing thread, taking no lock and never
// waiting. Without a listener set, records pass unseen.
class DeviceCommandNotificationListenerObjCPP final : public DeviceCommandNotificationListener {
public:
    void notify(const CPPNotificationInfo* info) override;

    DeviceCommandListener* listener() const { return m_listener.load(); }
    void setListener(DeviceCommandListener* listener) { m_listener.store(listener); }

private:
    std::atomic<DeviceCommandListener*> m_listener{nullptr};
};
