#pragma once

#include "Logic/bridge/CustomKey.h"
#include "Logic/bridge/MuteCommand.h"
#include "Logic/bridge/VolumeCommand.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A connection profile as the screens edit it, with its keys and commands as shared objects.
// A new one addresses a VoIP endpoint by number over Telnet port 23 and has five empty keys.
// ID 0 until saved. Owned by the thread that made it (the interface's).
class ConnectionSettings {
public:
    ConnectionSettings();
    explicit ConnectionSettings(const std::string& roomName);
    ConnectionSettings(const std::string& roomName, int64_t connectionType, const std::string& ip,
                       uint64_t port, uint64_t serialPort, const std::string& serialPath, int64_t phoneType,
                       const std::string& label, const std::string& userName, const std::string& password,
                       const std::string& epn, bool isEPN, bool isAutoConnect);

    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const std::string& roomName() const { return m_roomName; }
    void setRoomName(const std::string& roomName) { m_roomName = roomName; }
    // 1 Telnet, any other value serial.
    int64_t connectionType() const { return m_connectionType; }
    void setConnectionType(int64_t connectionType) { m_connectionType = connectionType; }
    const std::string& ip() const { return m_ip; }
    void setIp(const std::string& ip) { m_ip = ip; }
    uint64_t port() const { return m_port; }
    void setPort(uint64_t port) { m_port = port; }
    uint64_t serialPort() const { return m_serialPort; }
    void setSerialPort(uint64_t serialPort) { m_serialPort = serialPort; }
    const std::string& serialPath() const { return m_serialPath; }
    void setSerialPath(const std::string& serialPath) { m_serialPath = serialPath; }
    // 1 VoIP, any other value Telco.
    int64_t phoneType() const { return m_phoneType; }
    void setPhoneType(int64_t phoneType) { m_phoneType = phoneType; }
    const std::string& label() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& userName() const { return m_userName; }
    void setUserName(const std::string& userName) { m_userName = userName; }
    const std::string& password() const { return m_password; }
    void setPassword(const std::string& password) { m_password = password; }
    const std::string& telcoVoIPEPN() const { return m_telcoVoIPEPN; }
    void setTelcoVoIPEPN(const std::string& epn) { m_telcoVoIPEPN = epn; }
    bool isEPN() const { return m_isEPN; }
    void setIsEPN(bool isEPN) { m_isEPN = isEPN; }
    bool isAutoConnect() const { return m_isAutoConnect; }
    void setIsAutoConnect(bool isAutoConnect) { m_isAutoConnect = isAutoConnect; }
    const std::string& notificationFormat() const { return m_notificationFormat; }
    void setNotificationFormat(const std::string& format) { m_notificationFormat = format; }
    const std::string& queryVolumeCommand() const { return m_queryVolumeCommand; }
    void setQueryVolumeCommand(const std::string& command) { m_queryVolumeCommand = command; }
    const std::string& sliderPressedCommand() const { return m_sliderPressedCommand; }
    void setSliderPressedCommand(const std::string& command) { m_sliderPressedCommand = command; }
    const std::string& sliderReleasedCommand() const { return m_sliderReleasedCommand; }
    void setSliderReleasedCommand(const std::string& command) { m_sliderReleasedCommand = command; }
    const std::string& minVolumeValueCommand() const { return m_minVolumeValueCommand; }
    void setMinVolumeValueCommand(const std::string& command) { m_minVolumeValueCommand = command; }
    const std::string& maxVolumeValueCommand() const { return m_maxVolumeValueCommand; }
    void setMaxVolumeValueCommand(const std::string& command) { m_maxVolumeValueCommand = command; }
    // The objects themselves, not copies: editing one edits the profile.
    std::vector<CustomKeyPtr>& customKeys() { return m_customKeys; }
    const std::vector<CustomKeyPtr>& customKeys() const { return m_customKeys; }
    void setCustomKeys(std::vector<CustomKeyPtr> keys) { m_customKeys = std::move(keys); }
    const MuteCommandPtr& muteCommand() const { return m_muteCommand; }
    void setMuteCommand(MuteCommandPtr command) { m_muteCommand = std::move(command); }
    const VolumeCommandPtr& volumeUpCommand() const { return m_volumeUpCommand; }
    void setVolumeUpCommand(VolumeCommandPtr command) { m_volumeUpCommand = std::move(command); }
    const VolumeCommandPtr& volumeDownCommand() const { return m_volumeDownCommand; }
    void setVolumeDownCommand(VolumeCommandPtr command) { m_volumeDownCommand = std::move(command); }
    bool usesSpeakerGroup() const { return m_usesSpeakerGroup; }
    void setUsesSpeakerGroup(bool usesSpeakerGroup) { m_usesSpeakerGroup = usesSpeakerGroup; }
    const std::string& speakerGroupName() const { return m_speakerGroupName; }
    void setSpeakerGroupName(const std::string& name) { m_speakerGroupName = name; }
    bool usesMicrophoneGroup() const { return m_usesMicrophoneGroup; }
    void setUsesMicrophoneGroup(bool usesMicrophoneGroup) { m_usesMicrophoneGroup = usesMicrophoneGroup; }
    const std::string& microphoneGroupName() const { return m_microphoneGroupName; }
    void setMicrophoneGroupName(const std::string& name) { m_microphoneGroupName = name; }

    // A new profile carries this many keys; the file formats and the key screen show as many.
    static constexpr size_t defaultCustomKeyCount = 5;

private:
    int64_t m_id = 0;
    std::string m_roomName;
    int64_t m_connectionType = 1;
    std::string m_ip;
    uint64_t m_port = 23;
    uint64_t m_serialPort = 0;
    std::string m_serialPath;
    int64_t m_phoneType = 1;
    std::string m_label;
    std::string m_userName;
    std::string m_password;
    std::string m_telcoVoIPEPN;
    bool m_isEPN = true;
    bool m_isAutoConnect = false;
    std::string m_notificationFormat;
    std::string m_queryVolumeCommand;
    std::string m_sliderPressedCommand;
    std::string m_sliderReleasedCommand;
    std::string m_minVolumeValueCommand;
    std::string m_maxVolumeValueCommand;
    std::vector<CustomKeyPtr> m_customKeys;
    MuteCommandPtr m_muteCommand;
    VolumeCommandPtr m_volumeUpCommand;
    VolumeCommandPtr m_volumeDownCommand;
    bool m_usesSpeakerGroup = true;
    std::string m_speakerGroupName;
    bool m_usesMicrophoneGroup = true;
    std::string m_microphoneGroupName;
};

using ConnectionSettingsPtr = std::shared_ptr<ConnectionSettings>;
