#pragma once

#include <chrono>
#include <ctime>

namespace Platform {

// Every "now" in the program comes from here, so tests can move time by hand.
class Clock {
public:
    virtual ~Clock() = default;

    // Wall-clock seconds since the epoch, as time() gives them.
    virtual std::time_t now() const = 0;
    // Monotonic time for intervals and timeouts.
    virtual std::chrono::steady_clock::time_point steadyNow() const = 0;

    // The clock in use: the installed one, or the system clock.
    static const Clock& current();
    // Installs a clock (tests); nullptr restores the system clock. The caller keeps ownership.
    static void install(const Clock* clock);
};

class SystemClock final : public Clock {
public:
    std::time_t now() const override;
    std::chrono::steady_clock::time_point steadyNow() const override;
};

} // namespace Platform
