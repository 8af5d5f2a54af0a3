#pragma once

#include "Logic/call/CPPIState.h"

// Talking to the target of an assisted transfer.
class CPPLineTransferringActiveState final : public CPPIState {
public:
    CPPLineTransferringActiveState() : CPPIState(17, 1) {}

    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool completeTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsCancelTransfer() const override { return true; }
    bool showsCompleteTransfer() const override { return true; }
};
