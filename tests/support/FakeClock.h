#pragma once

#include "Platform/Clock.h"

#include <atomic>
#include <chrono>

// A clock that moves only when told. Installed for its lifetime.
class FakeClock final : public Platform::Clock {
public:
    explicit FakeClock(std::time_t start = 1767603907);
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    std::time_t now() const override { return static_cast<std::time_t>(m_wallMilliseconds.load() / 1000); }
    std::chrono::steady_clock::time_point steadyNow() const override {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(m_steadyMilliseconds.load()));
    }

    void set(std::time_t seconds) { m_wallMilliseconds.store(static_cast<long long>(seconds) * 1000); }
    // Moves both the wall and the steady clock forward. The wall clock keeps the milliseconds,
    // so two half-second steps make one wall second, as they do on the real clocks.
    void advance(std::chrono::milliseconds step) {
        m_steadyMilliseconds.fetch_add(step.count());
        m_wallMilliseconds.fetch_add(step.count());
    }
    void advanceSeconds(long seconds) { advance(std::chrono::seconds(seconds)); }

private:
    std::atomic<long long> m_wallMilliseconds;
    std::atomic<long long> m_steadyMilliseconds{1000000};
};
