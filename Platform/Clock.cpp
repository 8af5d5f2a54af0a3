#include "Platform/Clock.h"

#include <atomic>

namespace Platform {

namespace {

std::atomic<const Clock*>& installedClock() {
    static std::atomic<const Clock*> clock{nullptr};
    return clock;
}

} // namespace

const Clock& Clock::current() {
    // Never destroyed: a device thread may still ask for the time while the process exits.
    static const SystemClock* const systemClock = new SystemClock;
    const Clock* clock = installedClock().load(std::memory_order_acquire);
    return clock != nullptr ? *clock : *systemClock;
}

void Clock::install(const Clock* clock) {
    installedClock().store(clock, std::memory_order_release);
}

std::time_t SystemClock::now() const {
    return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

std::chrono::steady_clock::time_point SystemClock::steadyNow() const {
    return std::chrono::steady_clock::now();
}

} // namespace Platform
