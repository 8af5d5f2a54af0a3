#pragma once

#include "Logic/call/CPPIState.h"

// Dialling; the box still takes a full number or digits.
class CPPLineDialingState final : public CPPIState {
public:
    CPPLineDialingState() : CPPIState(3, 2) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;
    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }
    bool showsNewCall() const override { return true; }
};
