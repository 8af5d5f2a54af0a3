#include "Logic/bridge/SerialBridge.h"

#include "Logic/bridge/DeviceCommunicationObject.h"

#include <algorithm>

void SerialBridge::send(std::string command) {
    command.resize(std::min(command.find('\0'), command.size()));
    m_object.sendCommandUsingSerialPort(command);
}

void SerialBridge::open() {
    m_object.openSerialConnection();
}

void SerialBridge::close() {
    m_object.closeSerialConnection();
}
