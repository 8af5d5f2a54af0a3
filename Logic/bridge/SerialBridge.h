#pragma once

#include "Logic/connection/CPPSerialBridge.h"

#include <string>

class DeviceCommunicationObject;

// The core's way to the serial port: each call goes to the device communication object that
// owns the port, on the calling thread.
class SerialBridge final : public CPPSerialBridge {
public:
    explicit SerialBridge(DeviceCommunicationObject& object) : m_object(object) {}

    // The command up to its first NUL, "\r\n" included.
    void send(std::string command) override;
    void open() override;
    void close() override;

private:
    DeviceCommunicationObject& m_object;
};
