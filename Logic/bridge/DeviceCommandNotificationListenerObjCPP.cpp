#include "Logic/bridge/DeviceCommandNotificationListenerObjCPP.h"

#include "Logic/bridge/DeviceCommandListener.h"

#include <memory>

void DeviceCommandNotificationListenerObjCPP::notify(const CPPNotificationInfo* info) {
    DeviceCommandListener* const listener = m_listener.load();
    if (listener == nullptr || info == nullptr)
        return;
    // The record is deleted as soon as this returns: everything is copied first. Where the
    // record came from (cmdType, endPointType) never reached the interface; it reads 1.
    const auto type = static_cast<int64_t>(static_cast<uint32_t>(info->getNotificationType()));
    listener->notify(std::make_shared<const NotificationInfoObject>(info->getBn(), info->getEpn(),
                                                                    info->getPn(), info->getPayload(),
                                                                    info->getOriginCmd(), 1, 1, 1, type));
}
