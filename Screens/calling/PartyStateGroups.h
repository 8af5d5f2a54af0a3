#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>

// The two groups of party states that drive the call-time counters of the active-call screens.
namespace PartyStateGroups {

// Talking: active time counts.
inline bool isActive(int64_t state) {
    return state == StateId::ACTIVE || state == StateId::CONFERENCE_ACTIVE ||
           state == StateId::TRANSFER_ACTIVE || state == StateId::TRANSFERRING_ACTIVE;
}

// On hold: active time and hold time both count.
inline bool isHold(int64_t state) {
    return state == StateId::HOLD || state == StateId::CONFERENCE_HOLD || state == StateId::TRANSFER_HOLD ||
           state == StateId::TRANSFERRING_HOLD || state == StateId::BLIND_TRANSFER_HOLD;
}

} // namespace PartyStateGroups
