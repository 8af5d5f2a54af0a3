#include "Logic/common/Uuid.h"

#include <array>
#include <cstdint>
#include <random>

std::string makeUuidString() {
    // Every byte comes from the system's entropy source; one device per thread, so no lock.
    thread_local std::random_device device;

    std::array<uint8_t, 16> bytes{};
    for (size_t at = 0; at < bytes.size(); at += 4) {
        const uint32_t word = device();
        for (size_t byte = 0; byte < 4; ++byte)
            bytes[at + byte] = static_cast<uint8_t>(word >> (8 * byte));
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0FU) | 0x40U);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3FU) | 0x80U);

    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (at == 4 || at == 6 || at == 8 || at == 10)
            text.push_back('-');
        text.push_back(digits[bytes[at] >> 4U]);
        text.push_back(digits[bytes[at] & 0x0FU]);
    }
    return text;
}
