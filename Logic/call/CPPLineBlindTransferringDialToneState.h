#pragma once

#include "Logic/call/CPPLineTransferringDialToneState.h"
#include "Logic/common/Codes.h"

// Waiting for the number of a blind transfer.
class CPPLineBlindTransferringDialToneState final : public CPPLineTransferringDialToneState {
public:
    CPPLineBlindTransferringDialToneState()
        : CPPLineTransferringDialToneState(StateId::BLIND_TRANSFERRING_DIAL_TONE,
                                           StateCategory::COLLECTING_DIGITS) {}
};
