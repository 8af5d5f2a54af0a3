#pragma once

#include <cstdint>

// The core keeps 32-bit integers, the models 64-bit ones. Counts and ids widen with their
// sign; codes (enumerations, phone type, volume type) widen as unsigned, as the interface has
// always read them; everything goes back as its low 32 bits, so a value read comes back as it was.
inline int64_t widenSigned(int32_t value) {
    return value;
}

inline int64_t widenUnsigned(int32_t value) {
    return static_cast<int64_t>(static_cast<uint32_t>(value));
}

inline int32_t lowBits(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

inline int32_t lowBits(uint64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}
