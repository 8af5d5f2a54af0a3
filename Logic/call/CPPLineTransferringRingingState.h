#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The target of an assisted transfer ringing; the transfer can complete now, as it
// can once the target answers.
class CPPLineTransferringRingingState : public CPPIState {
public:
    CPPLineTransferringRingingState() : CPPIState(StateId::TRANSFERRING_RINGING, StateCategory::IN_CALL) {}

    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool completeTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsCancelTransfer() const override { return true; }
    bool showsCompleteTransfer() const override { return true; }

protected:
    CPPLineTransferringRingingState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
