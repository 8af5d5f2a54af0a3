#pragma once

#include "Platform/SerialPortEnumerator.h"

#include <mutex>
#include <vector>

// The serial device list of a test: installed for its lifetime in place of libudev's, it lists
// the devices it is given (pseudo-terminal slaves, say) and announces arrival and removal when
// told, from the calling thread, as udev's monitor does from its own. The serial port manager
// hears of them on the main queue as it hears of real devices.
//
//     PtyBox box;                                   // or any node the test controls
//     FakeSerialPortEnumerator ports;               // now the enumerator in use
//     ports.announceArrival({box.device()});        // listed, and the manager is told
//     ...
//     ports.announceRemoval({box.device()});        // gone again
class FakeSerialPortEnumerator final : public Platform::SerialPortEnumerator {
public:
    // Installs itself, listing the given devices (present before anyone asked).
    explicit FakeSerialPortEnumerator(std::vector<Platform::SerialDevice> present = {});
    // Uninstalls itself when still installed, which restores libudev's enumerator.
    ~FakeSerialPortEnumerator() override;
    FakeSerialPortEnumerator(const FakeSerialPortEnumerator&) = delete;
    FakeSerialPortEnumerator& operator=(const FakeSerialPortEnumerator&) = delete;

    std::vector<Platform::SerialDevice> devices() override;
    bool startMonitoring(DevicesCallback arrived, DevicesCallback removed) override;
    void stopMonitoring() override;

    // Lists the devices without announcing them.
    void setDevices(std::vector<Platform::SerialDevice> devices);
    // Lists the devices and reports them as arrived (when someone is monitoring).
    void announceArrival(std::vector<Platform::SerialDevice> devices);
    // Drops the devices from the list and reports them as removed (when someone is monitoring).
    void announceRemoval(std::vector<Platform::SerialDevice> devices);
    bool isMonitoring() const;

private:
    // Held while a callback runs, so none runs once stopMonitoring has returned.
    mutable std::mutex m_mutex;
    std::vector<Platform::SerialDevice> m_devices;
    DevicesCallback m_arrived;
    DevicesCallback m_removed;
};
