#include "support/FakeSerialPortEnumerator.h"

#include <algorithm>

using Platform::SerialDevice;

FakeSerialPortEnumerator::FakeSerialPortEnumerator(std::vector<SerialDevice> present)
    : m_devices(std::move(present)) {
    Platform::SerialPortEnumerator::install(this);
}

FakeSerialPortEnumerator::~FakeSerialPortEnumerator() {
    if (&Platform::SerialPortEnumerator::current() == this)
        Platform::SerialPortEnumerator::install(nullptr);
}

std::vector<SerialDevice> FakeSerialPortEnumerator::devices() {
    std::lock_guard lock(m_mutex);
    std::vector<SerialDevice> sorted = m_devices;
    std::sort(sorted.begin(), sorted.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.name < b.name; });
    return sorted;
}

bool FakeSerialPortEnumerator::startMonitoring(DevicesCallback arrived, DevicesCallback removed) {
    std::lock_guard lock(m_mutex);
    m_arrived = std::move(arrived);
    m_removed = std::move(removed);
    return true;
}

void FakeSerialPortEnumerator::stopMonitoring() {
    std::lock_guard lock(m_mutex);
    m_arrived = nullptr;
    m_removed = nullptr;
}

void FakeSerialPortEnumerator::setDevices(std::vector<SerialDevice> devices) {
    std::lock_guard lock(m_mutex);
    m_devices = std::move(devices);
}

void FakeSerialPortEnumerator::announceArrival(std::vector<SerialDevice> devices) {
    std::lock_guard lock(m_mutex);
    for (const SerialDevice& device : devices)
        if (std::find(m_devices.begin(), m_devices.end(), device) == m_devices.end())
            m_devices.push_back(device);
    if (m_arrived)
        m_arrived(std::move(devices));
}

void FakeSerialPortEnumerator::announceRemoval(std::vector<SerialDevice> devices) {
    std::lock_guard lock(m_mutex);
    for (const SerialDevice& device : devices)
        std::erase(m_devices, device);
    if (m_removed)
        m_removed(std::move(devices));
}

bool FakeSerialPortEnumerator::isMonitoring() const {
    std::lock_guard lock(m_mutex);
    return static_cast<bool>(m_arrived);
}
