#include "Logic/connection/DeviceCommunication.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Platform/Log.h"

namespace {

std::atomic<DeviceCommunication*> currentInstance{nullptr};

} // namespace

DeviceCommunication* DeviceCommunication::getInstance() {
    DeviceCommunication* existing = currentInstance.load();
    if (existing != nullptr)
        return existing;
    auto* created = new DeviceCommunication();
    // Two first callers racing: the loser's object goes, and both get the winner's.
    if (!currentInstance.compare_exchange_strong(existing, created)) {
        delete created;
        return existing;
    }
    return created;
}

DeviceCommunication::DeviceCommunication() : m_line(&CPPLine::getInstance()) {}

DeviceCommunication::~DeviceCommunication() {
    DeviceCommunication* self = this;
    currentInstance.compare_exchange_strong(self, nullptr);
}

void DeviceCommunication::setListener(DeviceCommandNotificationListener* listener) {
    m_listener.store(listener);
}

void DeviceCommunication::setSerialBridge(CPPSerialBridge* serialBridge) {
    m_serialBridge.store(serialBridge);
}

std::shared_ptr<const CPPConnectionSettings> DeviceCommunication::getCurrentConnectionSettings() const {
    std::lock_guard lock(m_settingsMutex);
    return m_settings;
}

void DeviceCommunication::setCurrentConnectionSettings(
    std::shared_ptr<const CPPConnectionSettings> settings) {
    std::lock_guard lock(m_settingsMutex);
    m_settings = std::move(settings);
}

int32_t DeviceCommunication::sendCommand(std::string command) {
    command += "\r\n";
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return -1;
    if (settings->getConnectionType() != ConnectionType::TELNET) {
        CPPSerialBridge* bridge = m_serialBridge.load();
        if (bridge == nullptr)
            return -1;
        bridge->send(command);
        return 1;
    }
    // No Telnet socket exists yet, so a Telnet send always fails and says so.
    const int32_t result = -1;
    Platform::Log::out("[TELNET] Status code: " + toString(result));
    dispatchNotification(m_builder.makeErrorNotification(true, "Cannot send command: " + command));
    return result;
}

void DeviceCommunication::dispatchNotification(std::unique_ptr<CPPNotificationInfo> record) {
    DeviceCommandNotificationListener* listener = m_listener.load();
    if (listener != nullptr && record != nullptr)
        listener->notify(record.get());
}
