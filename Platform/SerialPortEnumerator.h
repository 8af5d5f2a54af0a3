#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Platform {

// One serial device of the machine, as the port list shows it.
struct SerialDevice {
    // The device node the port opens, e.g. "/dev/ttyUSB0".
    std::string path;
    // Linux has one node per line (no separate dial-in device): the same as path.
    std::string dialinPath;
    // The kernel's name, e.g. "ttyUSB0". Unique, so the port pop-up can map a title back.
    std::string name;
    // The name without its trailing number ("ttyUSB") and that number ("0").
    std::string baseName;
    std::string suffix;
    // The driver of the hardware behind the line ("ftdi_sio"), or "" when unknown.
    std::string serviceType;

    bool operator==(const SerialDevice&) const = default;

    // Fills the fields from a kernel name and a node path.
    static SerialDevice named(const std::string& name, const std::string& path,
                              const std::string& serviceType);
};

// Lists the serial devices present and reports their arrival and removal. The program uses the
// libudev one; tests install their own (a fake listing pseudo-terminals) to run the serial
// stack on devices they control.
class SerialPortEnumerator {
public:
    using DevicesCallback = std::function<void(std::vector<SerialDevice> devices)>;

    virtual ~SerialPortEnumerator() = default;

    // The devices present now, sorted by name.
    virtual std::vector<SerialDevice> devices() = 0;
    // Starts reporting batches of arrived and removed devices. The callbacks run on the
    // enumerator's own thread (or the announcing one) and must not block. False when no events
    // will come (no device manager to listen to).
    virtual bool startMonitoring(DevicesCallback arrived, DevicesCallback removed) = 0;
    // Stops reporting; no callback runs after it returns.
    virtual void stopMonitoring() = 0;

    // The enumerator in use: the installed one, or libudev's.
    static SerialPortEnumerator& current();
    // Installs an enumerator (tests); nullptr restores libudev's. The caller keeps ownership and
    // uninstalls before destroying it. A watch started with startMonitoringCurrent moves to the
    // new enumerator, so the serial port manager, made once per process, follows each test's
    // devices.
    static void install(SerialPortEnumerator* enumerator);
    // Monitoring through the current enumerator, kept across installs.
    static bool startMonitoringCurrent(DevicesCallback arrived, DevicesCallback removed);
    static void stopMonitoringCurrent();
};

} // namespace Platform
