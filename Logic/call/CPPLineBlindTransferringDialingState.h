#pragma once

#include "Logic/call/CPPLineTransferringDialingState.h"
#include "Logic/common/Codes.h"

// Dialling the target of a blind transfer.
class CPPLineBlindTransferringDialingState final : public CPPLineTransferringDialingState {
public:
    CPPLineBlindTransferringDialingState()
        : CPPLineTransferringDialingState(StateId::BLIND_TRANSFERRING_DIALING,
                                          StateCategory::COLLECTING_DIGITS) {}
};
