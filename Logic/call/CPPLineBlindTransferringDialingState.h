#pragma once

#include "Logic/call/CPPIState.h"

// Dialling the target of a blind transfer.
class CPPLineBlindTransferringDialingState final : public CPPIState {
public:
    CPPLineBlindTransferringDialingState() : CPPIState(21, 2) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsCancelTransfer() const override { return true; }
};
