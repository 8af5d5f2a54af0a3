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

    std::time_t now() const override { return m_seconds.load(); }
    std::chrono::steady_clock::time_point steadyNow() const override {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(m_steadyMilliseconds.load()));
    }

    void set(std::time_t seconds) { m_seconds.store(seconds); }
    // Moves both the wall and the steady clock forward.
    void advance(std::chrono::milliseconds step) {
        m_steadyMilliseconds.fetch_add(step.count());
        m_seconds.fetch_add(std::chrono::duration_cast<std::chrono::seconds>(step).count());
    }
    void advanceSeconds(long seconds) { advance(std::chrono::seconds(seconds)); }

private:
    std::atomic<std::time_t> m_seconds;
    std::atomic<long long> m_steadyMilliseconds{1000000};
};
