#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>
#include <string>

// One connection profile: how to reach, log in to and address one endpoint of the box, and
// how to drive its volume and mute. A plain value; one record is one ConnectionSettings row.
class CPPConnectionSettings {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getRoomName() const { return m_roomName; }
    void setRoomName(const std::string& roomName) { m_roomName = roomName; }
    std::string getIp() const { return m_ip; }
    void setIp(const std::string& ip) { m_ip = ip; }
    int32_t getPort() const { return m_port; }
    void setPort(int32_t port) { m_port = port; }
    // A PhoneType, stored as any int32: VOIP is the VoIP endpoint; any other is treated as Telco.
    int32_t getPhoneType() const { return m_phoneType; }
    void setPhoneType(int32_t phoneType) { m_phoneType = phoneType; }
    // A ConnectionType, stored as any int32: TELNET is Telnet, any other value the serial port.
    int32_t getConnectionType() const { return m_connectionType; }
    void setConnectionType(int32_t connectionType) { m_connectionType = connectionType; }
    int32_t getSerialPort() const { return m_serialPort; }
    void setSerialPort(int32_t serialPort) { m_serialPort = serialPort; }
    std::string getSerialPath() const { return m_serialPath; }
    void setSerialPath(const std::string& serialPath) { m_serialPath = serialPath; }
    std::string getLabel() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }
    std::string getUserName() const { return m_userName; }
    void setUserName(const std::string& userName) { m_userName = userName; }
    std::string getPassword() const { return m_password; }
    void setPassword(const std::string& password) { m_password = password; }
    std::string getTelcoVoIPEPN() const { return m_telcoVoIPEPN; }
    void setTelcoVoIPEPN(const std::string& telcoVoIPEPN) { m_telcoVoIPEPN = telcoVoIPEPN; }
    bool isEPN() const { return m_isEPN; }
    void setIsEPN(bool isEPN) { m_isEPN = isEPN; }
    bool isAutoConnect() const { return m_isAutoConnect; }
    void setIsAutoConnect(bool isAutoConnect) { m_isAutoConnect = isAutoConnect; }
    std::string getNotification() const { return m_notification; }
    void setNotification(const std::string& notification) { m_notification = notification; }
    std::string getQueryVolumeCommand() const { return m_queryVolumeCommand; }
    void setQueryVolumeCommand(const std::string& command) { m_queryVolumeCommand = command; }
    std::string getSliderPressedCommand() const { return m_sliderPressedCommand; }
    void setSliderPressedCommand(const std::string& command) { m_sliderPressedCommand = command; }
    std::string getSliderReleasedCommand() const { return m_sliderReleasedCommand; }
    void setSliderReleasedCommand(const std::string& command) { m_sliderReleasedCommand = command; }
    std::string getMinVolumeValueCommand() const { return m_minVolumeValueCommand; }
    void setMinVolumeValueCommand(const std::string& command) { m_minVolumeValueCommand = command; }
    std::string getMaxVolumeValueCommand() const { return m_maxVolumeValueCommand; }
    void setMaxVolumeValueCommand(const std::string& command) { m_maxVolumeValueCommand = command; }
    bool usesSpeakerGroup() const { return m_usesSpeakerGroup; }
    void setUsesSpeakerGroup(bool usesSpeakerGroup) { m_usesSpeakerGroup = usesSpeakerGroup; }
    std::string getSpeakerGroupName() const { return m_speakerGroupName; }
    void setSpeakerGroupName(const std::string& name) { m_speakerGroupName = name; }
    bool usesMicrophoneGroup() const { return m_usesMicrophoneGroup; }
    void setUsesMicrophoneGroup(bool usesMicrophoneGroup) { m_usesMicrophoneGroup = usesMicrophoneGroup; }
    std::string getMicrophoneGroupName() const { return m_microphoneGroupName; }
    void setMicrophoneGroupName(const std::string& name) { m_microphoneGroupName = name; }

    // Whether a received line, already upper-cased by the caller, is addressed to this
    // profile's endpoint. A line starting with "EP " must start with the profile's address;
    // in any other line the address may stand anywhere.
    bool matchesEndpoint(const std::string& line) const;

    static void toUpperInPlace(std::string& text);

private:
    int32_t m_id = 0;
    std::string m_roomName;
    std::string m_ip;
    int32_t m_port = 0;
    int32_t m_phoneType = PhoneType::TELCO;
    int32_t m_connectionType = ConnectionType::TELNET;
    int32_t m_serialPort = -1;
    std::string m_serialPath;
    std::string m_label;
    std::string m_userName;
    std::string m_password;
    std::string m_telcoVoIPEPN;
    bool m_isEPN = true;
    bool m_isAutoConnect = false;
    std::string m_notification;
    std::string m_queryVolumeCommand;
    std::string m_sliderPressedCommand;
    std::string m_sliderReleasedCommand;
    std::string m_minVolumeValueCommand;
    std::string m_maxVolumeValueCommand;
    bool m_usesSpeakerGroup = true;
    std::string m_speakerGroupName;
    bool m_usesMicrophoneGroup = true;
    std::string m_microphoneGroupName;
};
