#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// Off hook, waiting for a number. Dialling behaves the same.
class CPPLineDialToneState : public CPPIState {
public:
    CPPLineDialToneState() : CPPIState(StateId::DIAL_TONE, StateCategory::COLLECTING_DIGITS) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;
    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }
    bool showsNewCall() const override { return true; }

protected:
    CPPLineDialToneState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
