#pragma once

#include <string>

// How the core reaches the serial port, which the interface side drives. The base does
// nothing, so a core without a serial side simply sends into the void.
class CPPSerialBridge {
public:
    virtual ~CPPSerialBridge() = default;

    // Writes one command line, already ending in "\r\n".
    virtual void send(std::string command);
    // Opens the serial connection of the current profile.
    virtual void open();
    virtual void close();
};
