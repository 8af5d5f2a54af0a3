#include "support/FakeClock.h"

FakeClock::FakeClock(std::time_t start) : m_seconds(start) {
    Platform::Clock::install(this);
}

FakeClock::~FakeClock() {
    Platform::Clock::install(nullptr);
}
