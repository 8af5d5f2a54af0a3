#pragma once

#include "Logic/call/CPPIState.h"

// The target of an assisted transfer ringing; the transfer can complete now.
class CPPLineTransferringRingingState final : public CPPIState {
public:
    CPPLineTransferringRingingState() : CPPIState(15, 1) {}

    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool completeTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsCancelTransfer() const override { return true; }
    bool showsCompleteTransfer() const override { return true; }
};
