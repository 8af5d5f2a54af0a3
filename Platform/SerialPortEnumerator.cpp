#include "Platform/SerialPortEnumerator.h"

#include "Platform/UdevSerialPortEnumerator.h"

#include <mutex>

namespace Platform {

namespace {

struct Seam {
    std::mutex mutex;
    SerialPortEnumerator* installed = nullptr;
    bool monitoring = false;
    SerialPortEnumerator::DevicesCallback arrived;
    SerialPortEnumerator::DevicesCallback removed;
};

Seam& seam() {
    static Seam* const instance = new Seam;
    return *instance;
}

// Never destroyed: its monitor thread may still be stopped by the exit handler.
SerialPortEnumerator& udevEnumerator() {
    static UdevSerialPortEnumerator* const enumerator = new UdevSerialPortEnumerator;
    return *enumerator;
}

SerialPortEnumerator& currentLocked(const Seam& state) {
    return state.installed != nullptr ? *state.installed : udevEnumerator();
}

} // namespace

SerialDevice SerialDevice::named(const std::string& name, const std::string& path,
                                 const std::string& serviceType) {
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9')
        --digits;
    return SerialDevice{path, path, name, name.substr(0, digits), name.substr(digits), serviceType};
}

SerialPortEnumerator& SerialPortEnumerator::current() {
    Seam& state = seam();
    std::lock_guard lock(state.mutex);
    return currentLocked(state);
}

void SerialPortEnumerator::install(SerialPortEnumerator* enumerator) {
    Seam& state = seam();
    std::lock_guard lock(state.mutex);
    if (enumerator == state.installed)
        return;
    if (state.monitoring)
        currentLocked(state).stopMonitoring();
    state.installed = enumerator;
    if (state.monitoring)
        currentLocked(state).startMonitoring(state.arrived, state.removed);
}

bool SerialPortEnumerator::startMonitoringCurrent(DevicesCallback arrived, DevicesCallback removed) {
    Seam& state = seam();
    std::lock_guard lock(state.mutex);
    if (state.monitoring)
        currentLocked(state).stopMonitoring();
    state.arrived = std::move(arrived);
    state.removed = std::move(removed);
    state.monitoring = true;
    return currentLocked(state).startMonitoring(state.arrived, state.removed);
}

void SerialPortEnumerator::stopMonitoringCurrent() {
    Seam& state = seam();
    std::lock_guard lock(state.mutex);
    if (!state.monitoring)
        return;
    currentLocked(state).stopMonitoring();
    state.monitoring = false;
    state.arrived = nullptr;
    state.removed = nullptr;
}

} // namespace Platform
