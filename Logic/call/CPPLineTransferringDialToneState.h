#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// Waiting for the number of an assisted transfer; a blind transfer behaves the same.
class CPPLineTransferringDialToneState : public CPPIState {
public:
    CPPLineTransferringDialToneState()
        : CPPIState(StateId::TRANSFERRING_DIAL_TONE, StateCategory::COLLECTING_DIGITS) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;
    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsNewCall() const override { return true; }
    bool showsCancelTransfer() const override { return true; }

protected:
    CPPLineTransferringDialToneState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
