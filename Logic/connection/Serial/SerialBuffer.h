#pragma once

#include "Logic/connection/Serial/PropertyObservers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The most recent received bytes, up to a maximum length: appending past it drops the oldest.
// Used on one thread at a time (the port's request queue); observers may be added from any.
class SerialBuffer {
public:
    explicit SerialBuffer(uint64_t maximumLength) : m_maximumLength(maximumLength) {}
    SerialBuffer() = delete;
    SerialBuffer(const SerialBuffer&) = delete;
    SerialBuffer& operator=(const SerialBuffer&) = delete;

    void appendData(std::string_view bytes);
    void clearBuffer();

    // The kept bytes themselves, oldest first; valid until the next change.
    const std::string& data() const { return m_internalBuffer; }
    uint64_t maximumLength() const { return m_maximumLength; }

    // Observers hear "data" after every append (with its trim) and every clear.
    uint64_t addObserver(PropertyObservers::Callback callback) {
        return m_observers.addObserver(std::move(callback));
    }
    void removeObserver(uint64_t token) { m_observers.removeObserver(token); }

private:
    const uint64_t m_maximumLength;
    std::string m_internalBuffer;
    PropertyObservers m_observers;
};
