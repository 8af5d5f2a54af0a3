#include "support/CapturingSerialBridge.h"

void CapturingSerialBridge::send(std::string command) {
    std::lock_guard lock(m_mutex);
    m_sent.push_back(std::move(command));
}

std::vector<std::string> CapturingSerialBridge::sent() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

std::vector<std::string> CapturingSerialBridge::sentLines() const {
    std::vector<std::string> lines = sent();
    for (std::string& line : lines) {
        if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0)
            line.resize(line.size() - 2);
    }
    return lines;
}

void CapturingSerialBridge::clear() {
    std::lock_guard lock(m_mutex);
    m_sent.clear();
}
