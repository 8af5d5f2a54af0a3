#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The target of a blind transfer ringing; only cancelling is left to the user.
class CPPLineBlindTransferringRingingState final : public CPPIState {
public:
    CPPLineBlindTransferringRingingState()
        : CPPIState(StateId::BLIND_TRANSFERRING_RINGING, StateCategory::IN_CALL) {}

    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsCancelTransfer() const override { return true; }
};
