#include "Platform/UdevSerialPortEnumerator.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <libudev.h>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace Platform {

namespace {

std::string textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

void sortByName(std::vector<SerialDevice>& devices) {
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.name < b.name; });
}

// A serial line has hardware behind it (a parent device) and a node to open; the kernel's
// empty UART slots report type 0.
std::optional<SerialDevice> serialDeviceFrom(udev_device* device) {
    const char* node = udev_device_get_devnode(device);
    const char* name = udev_device_get_sysname(device);
    udev_device* parent = udev_device_get_parent(device);
    if (node == nullptr || name == nullptr || parent == nullptr)
        return std::nullopt;
    if (textOrEmpty(udev_device_get_sysattr_value(device, "type")) == "0")
        return std::nullopt;
    return SerialDevice::named(name, node, textOrEmpty(udev_device_get_driver(parent)));
}

std::optional<std::vector<SerialDevice>> enumerateWithUdev() {
    udev* context = udev_new();
    if (context == nullptr)
        return std::nullopt;
    udev_enumerate* enumeration = udev_enumerate_new(context);
    std::optional<std::vector<SerialDevice>> found;
    if (enumeration != nullptr && udev_enumerate_add_match_subsystem(enumeration, "tty") >= 0 &&
        udev_enumerate_scan_devices(enumeration) >= 0) {
        found.emplace();
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration)) {
            udev_device* device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (device == nullptr)
                continue;
            if (std::optional<SerialDevice> serial = serialDeviceFrom(device))
                found->push_back(std::move(*serial));
            udev_device_unref(device);
        }
    }
    if (enumeration != nullptr)
        udev_enumerate_unref(enumeration);
    udev_unref(context);
    if (found)
        sortByName(*found);
    return found;
}

} // namespace

UdevSerialPortEnumerator::~UdevSerialPortEnumerator() {
    stopMonitoring();
}

std::vector<SerialDevice> UdevSerialPortEnumerator::scanClassFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<SerialDevice> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path tty = entry.path();
        if (!fs::exists(tty / "device", error))
            continue;
        std::ifstream typeFile(tty / "type");
        std::string type;
        if (typeFile && std::getline(typeFile, type) && type == "0")
            continue;
        std::string driver;
        const fs::path driverLink = fs::read_symlink(tty / "device" / "driver", error);
        if (!error)
            driver = driverLink.filename().string();
        const std::string name = tty.filename().string();
        found.push_back(SerialDevice::named(name, "/dev/" + name, driver));
    }
    sortByName(found);
    return found;
}

std::vector<SerialDevice> UdevSerialPortEnumerator::devices() {
    std::optional<std::vector<SerialDevice>> found = enumerateWithUdev();
    if (!found)
        found = scanClassFolder("/sys/class/tty");
    remember(*found);
    return std::move(*found);
}

void UdevSerialPortEnumerator::remember(const std::vector<SerialDevice>& devices) {
    std::lock_guard lock(m_mutex);
    for (const SerialDevice& device : devices)
        m_knownPaths.insert(device.path);
}

bool UdevSerialPortEnumerator::startMonitoring(DevicesCallback arrived, DevicesCallback removed) {
    stopMonitoring();
    udev* context = udev_new();
    if (context == nullptr)
        return false;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    udev_unref(context); // the monitor keeps its own reference
    if (monitor == nullptr)
        return false;
    const int stopEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0 || stopEvent < 0) {
        if (stopEvent >= 0)
            ::close(stopEvent);
        udev_monitor_unref(monitor);
        return false;
    }
    if (!m_monitorThreads.spawn(
            [this, monitor, stopEvent, arrived = std::move(arrived), removed = std::move(removed)] {
                monitorLoop(monitor, stopEvent, arrived, removed);
            })) {
        ::close(stopEvent);
        udev_monitor_unref(monitor);
        return false;
    }
    m_stopEvent = stopEvent;
    return true;
}

void UdevSerialPortEnumerator::stopMonitoring() {
    if (m_stopEvent < 0)
        return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_stopEvent, &one, sizeof one);
    m_monitorThreads.joinAll();
    ::close(m_stopEvent);
    m_stopEvent = -1;
}

void UdevSerialPortEnumerator::monitorLoop(void* monitorHandle, int stopEvent, DevicesCallback arrived,
                                           DevicesCallback removed) {
    auto* monitor = static_cast<udev_monitor*>(monitorHandle);
    pollfd watched[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {stopEvent, POLLIN, 0}};
    for (;;) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (watched[1].revents != 0 || (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            break;
        // Everything waiting goes out in batches of one kind, in the order it happened.
        std::vector<SerialDevice> batch;
        bool batchArrived = true;
        const auto flush = [&] {
            if (batch.empty())
                return;
            if (batchArrived) {
                remember(batch);
                arrived(std::move(batch));
            } else {
                removed(std::move(batch));
            }
            batch.clear();
        };
        while (udev_device* device = udev_monitor_receive_device(monitor)) {
            const std::string action = textOrEmpty(udev_device_get_action(device));
            std::optional<SerialDevice> serial;
            if (action == "add") {
                serial = serialDeviceFrom(device);
            } else if (action == "remove" && udev_device_get_devnode(device) != nullptr) {
                const std::string node = udev_device_get_devnode(device);
                std::lock_guard lock(m_mutex);
                if (m_knownPaths.erase(node) > 0)
                    serial = SerialDevice::named(textOrEmpty(udev_device_get_sysname(device)), node,
                                                 textOrEmpty(udev_device_get_driver(device)));
            }
            udev_device_unref(device);
            if (!serial)
                continue;
            if (batchArrived != (action == "add"))
                flush();
            batchArrived = action == "add";
            batch.push_back(std::move(*serial));
        }
        flush();
    }
    udev_monitor_unref(monitor);
}

} // namespace Platform
