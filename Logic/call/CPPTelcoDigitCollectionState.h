#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// Telephone line collecting digits until 20 seconds pass without one. Off hook before any
// digit and in a connected call the line takes the same keys.
class CPPTelcoDigitCollectionState : public CPPIState {
public:
    CPPTelcoDigitCollectionState()
        : CPPIState(StateId::TELCO_DIGIT_COLLECTION, StateCategory::COLLECTING_DIGITS) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }

protected:
    CPPTelcoDigitCollectionState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
