#pragma once

#include "Platform/SerialPortEnumerator.h"
#include "Platform/ThreadGroup.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace Platform {

// The machine's serial devices through libudev: "tty" devices that have a parent device and a
// node, minus the unused UART slots the kernel creates (sysfs "type" 0). When libudev cannot be
// used, /sys/class/tty is read the same way. Arrival and removal come from a udev monitor on a
// thread of its own; without a device manager sending events, none come.
class UdevSerialPortEnumerator final : public SerialPortEnumerator {
public:
    UdevSerialPortEnumerator() = default;
    ~UdevSerialPortEnumerator() override;
    UdevSerialPortEnumerator(const UdevSerialPortEnumerator&) = delete;
    UdevSerialPortEnumerator& operator=(const UdevSerialPortEnumerator&) = delete;

    std::vector<SerialDevice> devices() override;
    bool startMonitoring(DevicesCallback arrived, DevicesCallback removed) override;
    void stopMonitoring() override;

    // The /sys/class/tty reading, on any sysfs-shaped folder (tests give their own).
    static std::vector<SerialDevice> scanClassFolder(const std::string& folder);

private:
    void monitorLoop(void* monitor, int stopEvent, DevicesCallback arrived, DevicesCallback removed);
    void remember(const std::vector<SerialDevice>& devices);

    std::mutex m_mutex;
    // Nodes listed or announced so far: a removal is reported only for these, since the
    // removed device can no longer be asked whether it was a serial line.
    std::set<std::string> m_knownPaths;
    // The monitor thread, while monitoring; its stop event is m_stopEvent.
    ThreadGroup m_monitorThreads;
    int m_stopEvent = -1;
};

} // namespace Platform
