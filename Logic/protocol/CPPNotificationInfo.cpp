#include "Logic/protocol/CPPNotificationInfo.h"

void DeviceCommandNotificationListener::notify(const CPPNotificationInfo*) {}
