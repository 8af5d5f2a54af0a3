#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// Dialling the target of an assisted transfer; a blind transfer behaves the same.
class CPPLineTransferringDialingState : public CPPIState {
public:
    CPPLineTransferringDialingState()
        : CPPIState(StateId::TRANSFERRING_DIALING, StateCategory::COLLECTING_DIGITS) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsCancelTransfer() const override { return true; }

protected:
    CPPLineTransferringDialingState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
