#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SerialPortDelegate;

// What the device communication object needs of one serial port; the serial port class
// implements it, tests put a fake behind it. Every call may come from any thread; the port
// tells its delegate of the outcome later, on the main queue.
class SerialPortInterface {
public:
    virtual ~SerialPortInterface() = default;

    // The call-out device path, the port's identity ("/dev/ttyUSB0").
    virtual std::string path() const = 0;

    // The port holds the delegate weakly: an expired delegate hears nothing.
    virtual void setDelegate(std::weak_ptr<SerialPortDelegate> delegate) = 0;

    // Line settings; on an open port they take effect at once, on a closed one at the next
    // open. Parity: 0 none, 1 odd, 2 even. Stop bits: 1, or 2 for any value above 1.
    virtual void setBaudRate(uint64_t baudRate) = 0;
    virtual void setParity(uint64_t parity) = 0;
    virtual void setNumberOfStopBits(uint64_t numberOfStopBits) = 0;

    // Starts opening; success or failure reaches the delegate (opened, or an error). Nothing
    // happens when the port is already open.
    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    // Closes an open port (the delegate hears "closed"); always true.
    virtual bool close() = 0;

    // Writes all bytes, blocking the caller until the driver took them; false when the port
    // is closed or a write failed. The bytes are sent as they are, nothing is decoded.
    virtual bool sendData(const std::string& bytes) = 0;
};
