#include "Logic/common/Uuid.h"

#include <array>
#include <cstdint>
#include <random>

std::string makeUuidString() {
    // One generator per thread, seeded once from the system's entropy, so no lock is needed.
    thread_local std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();

    std::array<uint8_t, 16> bytes{};
    for (size_t at = 0; at < bytes.size(); at += 8) {
        const uint64_t word = generator();
        for (size_t byte = 0; byte < 8; ++byte)
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
