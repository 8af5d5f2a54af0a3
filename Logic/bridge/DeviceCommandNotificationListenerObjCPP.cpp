#include "Logic/bridge/DeviceCommandNotificationListenerObjCPP.h"

#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/ModelIntegers.h"

#include <memory>

void DeviceCommandNotificationListenerObjCPP::notify(const CPPNotificationInfo* info) {
    DeviceCommandListener* const listener = m_listener.load();
    if (listener == nullptr || info == nullptr)
        return;
    // The record is deleted as soon as this returns: everything is copied first. Where the
    // record came from (cmdType, endPointType) never reached the interface; it reads 1.
    listener->notify(std::make_shared<const NotificationInfoObject>(
        info->getBn(), info->getEpn(), info->getPn(), info->getPayload(), info->getOriginCmd(), 1, 1, 1,
        widenUnsigned(info->getNotificationType())));
}
