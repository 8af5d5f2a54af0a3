#pragma once

#include "Logic/connection/Serial/PropertyObservers.h"
#include "Logic/connection/Serial/SerialPort.h"
#include "Platform/SerialPortEnumerator.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// The process-wide list of the serial ports present, kept current as devices arrive and leave.
// Discovery runs when the manager is made (on the calling thread); arrivals and removals are
// handled on the main queue, whichever thread made it, and each is announced on the default
// notification centre with the manager as object:
//   "SerialPortWasConnectedNotification", "ConnectedSerialPortsKey": the ports added;
//   "SerialPortWasDisconnectedNotification", "DisconnectedSerialPortsKey": the ports removed;
// each value a std::vector<std::shared_ptr<SerialPort>>. At process exit every listed port is
// closed and its line settings restored, without telling any delegate.
class SerialPortManager {
public:
    static constexpr const char* SerialPortWasConnectedNotification = "SerialPortWasConnectedNotification";
    static constexpr const char* SerialPortWasDisconnectedNotification =
        "SerialPortWasDisconnectedNotification";
    static constexpr const char* ConnectedSerialPortsKey = "ConnectedSerialPortsKey";
    static constexpr const char* DisconnectedSerialPortsKey = "DisconnectedSerialPortsKey";

    using Ports = std::vector<std::shared_ptr<SerialPort>>;

    // The one manager, made on first use and never destroyed.
    static SerialPortManager& sharedSerialPortManager();

    SerialPortManager(const SerialPortManager&) = delete;
    SerialPortManager& operator=(const SerialPortManager&) = delete;

    // A copy of the list: discovery order, later arrivals appended. Empty, never absent.
    Ports availablePorts() const;
    void setAvailablePorts(Ports ports);

    // The list's collection operations; each tells the observers of "availablePorts". An index
    // past the end is ignored (an insert at the end appends).
    size_t countOfAvailablePorts() const;
    std::shared_ptr<SerialPort> objectInAvailablePortsAtIndex(size_t index) const;
    // Inserts ports[i] at indexes[i], in order; the two must be of one length.
    void insertAvailablePorts(const Ports& ports, const std::vector<size_t>& indexes);
    void insertObjectInAvailablePortsAtIndex(std::shared_ptr<SerialPort> port, size_t index);
    void removeAvailablePortsAtIndexes(const std::vector<size_t>& indexes);
    void removeObjectFromAvailablePortsAtIndex(size_t index);

    // Observers hear "availablePorts" after every change of the list.
    uint64_t addObserver(PropertyObservers::Callback callback) {
        return m_observers.addObserver(std::move(callback));
    }
    void removeObserver(uint64_t token) { m_observers.removeObserver(token); }

private:
    SerialPortManager();

    void retrieveAvailablePortsAndRegisterForChangeNotifications();
    void registerForNotifications();
    // Both run on the main queue.
    void serialPortsWerePublished(const std::vector<Platform::SerialDevice>& devices);
    void serialPortsWereTerminated(const std::vector<Platform::SerialDevice>& devices);
    static void closePortsAtExit();

    mutable std::mutex m_mutex;
    Ports m_availablePorts;
    PropertyObservers m_observers;
};
