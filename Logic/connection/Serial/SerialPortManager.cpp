#include "Logic/connection/Serial/SerialPortManager.h"

#include "Platform/Log.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <set>

SerialPortManager& SerialPortManager::sharedSerialPortManager() {
    // Never destroyed: the exit handler and late main-queue tasks still use it.
    static SerialPortManager* const manager = new SerialPortManager;
    return *manager;
}

SerialPortManager::SerialPortManager() {
    retrieveAvailablePortsAndRegisterForChangeNotifications();
    registerForNotifications();
}

void SerialPortManager::retrieveAvailablePortsAndRegisterForChangeNotifications() {
    Ports found;
    for (const Platform::SerialDevice& device : Platform::SerialPortEnumerator::current().devices()) {
        try {
            found.push_back(SerialPort::serialPortWithDevice(device));
        } catch (const std::exception&) {
            // A device without a node cannot be a port; it is skipped.
        }
    }
    setAvailablePorts(std::move(found));
    // The enumerator reports from its own thread; the list changes on the main queue only.
    Platform::SerialPortEnumerator::startMonitoringCurrent(
        [this](std::vector<Platform::SerialDevice> devices) {
            Platform::MainQueue::shared().post(
                [this, devices = std::move(devices)] { serialPortsWerePublished(devices); });
        },
        [this](std::vector<Platform::SerialDevice> devices) {
            Platform::MainQueue::shared().post(
                [this, devices = std::move(devices)] { serialPortsWereTerminated(devices); });
        });
}

void SerialPortManager::registerForNotifications() {
    if (std::atexit(&SerialPortManager::closePortsAtExit) != 0)
        Platform::Log::err(
            "SerialPort was unable to register its termination handler for serial port cleanup: " +
            std::to_string(errno));
}

void SerialPortManager::closePortsAtExit() {
    Platform::SerialPortEnumerator::stopMonitoringCurrent();
    // The list is left as it is, so no port is destroyed while other threads may still run.
    for (const std::shared_ptr<SerialPort>& port : sharedSerialPortManager().availablePorts())
        port->closeForExit();
}

void SerialPortManager::serialPortsWerePublished(const std::vector<Platform::SerialDevice>& devices) {
    Ports added;
    {
        std::lock_guard lock(m_mutex);
        for (const Platform::SerialDevice& device : devices) {
            if (device.path.empty())
                continue;
            const auto holds = [&](const Ports& ports) {
                return std::any_of(ports.begin(), ports.end(),
                                   [&](const auto& port) { return port->path() == device.path; });
            };
            // Neither listed already nor announced twice in this batch.
            if (!holds(m_availablePorts) && !holds(added))
                added.push_back(SerialPort::serialPortWithDevice(device));
        }
        m_availablePorts.insert(m_availablePorts.end(), added.begin(), added.end());
    }
    if (!added.empty())
        m_observers.notify("availablePorts");
    // Announced even when every device was listed already.
    Platform::NotificationCenter::defaultCenter().post(SerialPortWasConnectedNotification, this,
                                                       {{ConnectedSerialPortsKey, added}});
}

void SerialPortManager::serialPortsWereTerminated(const std::vector<Platform::SerialDevice>& devices) {
    Ports removed;
    for (const Platform::SerialDevice& device : devices)
        if (!device.path.empty())
            removed.push_back(SerialPort::serialPortWithDevice(device));
    for (const std::shared_ptr<SerialPort>& port : removed)
        port->cleanupAfterSystemRemoval();
    // Ports leave the list under the lock but are let go after it, so no port is ever
    // destroyed (and its observers told) while the list is locked.
    Ports leaving;
    {
        std::lock_guard lock(m_mutex);
        const auto kept = std::stable_partition(
            m_availablePorts.begin(), m_availablePorts.end(), [&](const std::shared_ptr<SerialPort>& listed) {
                return std::none_of(removed.begin(), removed.end(),
                                    [&](const auto& port) { return *port == *listed; });
            });
        leaving.assign(std::make_move_iterator(kept), std::make_move_iterator(m_availablePorts.end()));
        m_availablePorts.erase(kept, m_availablePorts.end());
    }
    const bool changed = !leaving.empty();
    if (changed)
        m_observers.notify("availablePorts");
    Platform::NotificationCenter::defaultCenter().post(SerialPortWasDisconnectedNotification, this,
                                                       {{DisconnectedSerialPortsKey, removed}});
}

SerialPortManager::Ports SerialPortManager::availablePorts() const {
    std::lock_guard lock(m_mutex);
    return m_availablePorts;
}

void SerialPortManager::setAvailablePorts(Ports ports) {
    {
        std::lock_guard lock(m_mutex);
        m_availablePorts.swap(ports);
    }
    m_observers.notify("availablePorts");
}

size_t SerialPortManager::countOfAvailablePorts() const {
    std::lock_guard lock(m_mutex);
    return m_availablePorts.size();
}

std::shared_ptr<SerialPort> SerialPortManager::objectInAvailablePortsAtIndex(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_availablePorts.size() ? m_availablePorts[index] : nullptr;
}

void SerialPortManager::insertAvailablePorts(const Ports& ports, const std::vector<size_t>& indexes) {
    bool changed = false;
    {
        std::lock_guard lock(m_mutex);
        for (size_t at = 0; at < ports.size() && at < indexes.size(); ++at) {
            if (!ports[at] || indexes[at] > m_availablePorts.size())
                continue;
            m_availablePorts.insert(m_availablePorts.begin() + static_cast<std::ptrdiff_t>(indexes[at]),
                                    ports[at]);
            changed = true;
        }
    }
    if (changed)
        m_observers.notify("availablePorts");
}

void SerialPortManager::insertObjectInAvailablePortsAtIndex(std::shared_ptr<SerialPort> port, size_t index) {
    insertAvailablePorts({std::move(port)}, {index});
}

void SerialPortManager::removeAvailablePortsAtIndexes(const std::vector<size_t>& indexes) {
    // From the highest index down, so each index still names the port it named at the call.
    const std::set<size_t, std::greater<>> ordered(indexes.begin(), indexes.end());
    Ports leaving;
    {
        std::lock_guard lock(m_mutex);
        for (const size_t index : ordered) {
            if (index >= m_availablePorts.size())
                continue;
            leaving.push_back(std::move(m_availablePorts[index]));
            m_availablePorts.erase(m_availablePorts.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
    if (!leaving.empty())
        m_observers.notify("availablePorts");
}

void SerialPortManager::removeObjectFromAvailablePortsAtIndex(size_t index) {
    removeAvailablePortsAtIndexes({index});
}
