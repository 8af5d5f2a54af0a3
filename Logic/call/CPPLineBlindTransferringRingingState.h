#pragma once

#include "Logic/call/CPPIState.h"

// The target of a blind transfer ringing; only cancelling is left to the user.
class CPPLineBlindTransferringRingingState final : public CPPIState {
public:
    CPPLineBlindTransferringRingingState() : CPPIState(22, 1) {}

    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsCancelTransfer() const override { return true; }
};
