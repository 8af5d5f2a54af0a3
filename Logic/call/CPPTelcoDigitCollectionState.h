#pragma once

#include "Logic/call/CPPIState.h"

// Telephone line collecting digits until 20 seconds pass without one.
class CPPTelcoDigitCollectionState final : public CPPIState {
public:
    CPPTelcoDigitCollectionState() : CPPIState(3, 2) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }
};
