#pragma once

#include <functional>
#include <string>

class SerialPortInterface;
// Defined beside the serial port: the failed call's errno, its text and the port's path.
struct PosixError;
// Defined beside the serial port's request queue.
class SerialRequest;
class SerialPacketDescriptor;

// The receiver of a serial port's events. Each member is one callback; an empty one means
// "not implemented", and the port then behaves as if the delegate lacked it. Ports hold the
// delegate by weak_ptr, so whoever sets it keeps it alive. Callbacks arrive on the main queue
// (Platform::MainQueue), in the order the port saw the events.
struct SerialPortDelegate {
    std::function<void(SerialPortInterface& port)> serialPortWasOpened;
    std::function<void(SerialPortInterface& port)> serialPortWasClosed;
    // The device went away; the port closes itself afterwards.
    std::function<void(SerialPortInterface& port)> serialPortWasRemovedFromSystem;
    // Raw bytes as read, in order; never empty.
    std::function<void(SerialPortInterface& port, const std::string& bytes)> serialPortDidReceiveData;
    std::function<void(SerialPortInterface& port, const PosixError& error)> serialPortDidEncounterError;
    std::function<void(SerialPortInterface& port, const SerialRequest& request)> serialPortRequestDidTimeout;

    // The request and packet layer's results; the device communication object leaves them empty.
    std::function<void(SerialPortInterface& port, const std::string& packet,
                       const SerialPacketDescriptor& descriptor)>
        serialPortDidReceivePacket;
    std::function<void(SerialPortInterface& port, const std::string& response, const SerialRequest& request)>
        serialPortDidReceiveResponse;
};
