#include "support/FakeClock.h"

FakeClock::FakeClock(std::time_t start) : m_wallMilliseconds(static_cast<long long>(start) * 1000) {
    Platform::Clock::install(this);
}

FakeClock::~FakeClock() {
    Platform::Clock::install(nullptr);
}
