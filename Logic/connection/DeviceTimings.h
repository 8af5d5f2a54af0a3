#pragma once

#include <chrono>
#include <cstdint>

// The real-time waits of the device link. The defaults are the product's; tests shorten them
// through DeviceCommunication::setTimings before connecting, and each link keeps the copy it
// started with. The whole-second rules (silence, keep-alive, forwarding display) follow the
// installed clock instead and are not here.
struct DeviceTimings {
    // Telnet connect attempts of one request, and the pause after each failed one.
    int32_t maxConnectAttempts = 6;
    std::chrono::milliseconds retryPause{5000};
    // How long one attempt waits for the box to take the connection.
    std::chrono::milliseconds connectWait{30000};
    // One receive pass waits this long for data.
    std::chrono::milliseconds pollPeriod{500};
    // How long a send waits for room in a full socket before it gives the link up.
    std::chrono::milliseconds sendWait{1000};
    // Between two passes of the serial loop.
    std::chrono::milliseconds serialPause{100};
    // After each line of the post-login queries.
    std::chrono::microseconds postLoginPause{100};
};
