#pragma once

#include "Logic/connection/CPPSerialBridge.h"

#include <mutex>
#include <string>
#include <vector>

// Keeps every line the core sends to the serial side, "\r\n" included.
class CapturingSerialBridge final : public CPPSerialBridge {
public:
    void send(std::string command) override;

    std::vector<std::string> sent() const;
    // The sent lines without their "\r\n", for comparing with built commands.
    std::vector<std::string> sentLines() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_sent;
};
