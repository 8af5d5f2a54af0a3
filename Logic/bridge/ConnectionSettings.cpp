#include "Logic/bridge/ConnectionSettings.h"

#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPVolumeCommand.h"

ConnectionSettings::ConnectionSettings() : ConnectionSettings(std::string()) {}

ConnectionSettings::ConnectionSettings(const std::string& roomName)
    : ConnectionSettings(roomName, ConnectionType::TELNET, "", 23, 0, "", PhoneType::VOIP, "", "", "", "",
                         true, false) {}

ConnectionSettings::ConnectionSettings(const std::string& roomName, int64_t connectionType,
                                       const std::string& ip, uint64_t port, uint64_t serialPort,
                                       const std::string& serialPath, int64_t phoneType,
                                       const std::string& label, const std::string& userName,
                                       const std::string& password, const std::string& epn, bool isEPN,
                                       bool isAutoConnect)
    : m_roomName(roomName), m_connectionType(connectionType), m_ip(ip), m_port(port),
      m_serialPort(serialPort), m_serialPath(serialPath), m_phoneType(phoneType), m_label(label),
      m_userName(userName), m_password(password), m_telcoVoIPEPN(epn), m_isEPN(isEPN),
      m_isAutoConnect(isAutoConnect), m_muteCommand(std::make_shared<MuteCommand>()),
      m_volumeUpCommand(std::make_shared<VolumeCommand>()),
      m_volumeDownCommand(std::make_shared<VolumeCommand>()) {
    for (size_t i = 0; i < defaultCustomKeyCount; ++i)
        m_customKeys.push_back(std::make_shared<CustomKey>());
    m_volumeUpCommand->setType(CPPVolumeCommand::typeUp);
    m_volumeDownCommand->setType(CPPVolumeCommand::typeDown);
}
