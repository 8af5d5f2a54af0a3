#include "Logic/connection/Serial/SerialBuffer.h"

void SerialBuffer::appendData(std::string_view bytes) {
    // Only the last maximumLength bytes can survive the trim, so copy no more than those.
    const uint64_t keep = bytes.size() < m_maximumLength ? bytes.size() : m_maximumLength;
    m_internalBuffer.append(bytes.substr(bytes.size() - static_cast<size_t>(keep)));
    if (m_internalBuffer.size() > m_maximumLength) {
        m_internalBuffer.erase(0, static_cast<size_t>(m_internalBuffer.size() - m_maximumLength));
    }
    m_observers.notify("data");
}

void SerialBuffer::clearBuffer() {
    m_internalBuffer = std::string();
    m_observers.notify("data");
}
