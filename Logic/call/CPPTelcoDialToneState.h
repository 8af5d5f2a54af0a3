#pragma once

#include "Logic/call/CPPIState.h"

// Telephone line off hook, nothing dialled yet.
class CPPTelcoDialToneState final : public CPPIState {
public:
    CPPTelcoDialToneState() : CPPIState(2, 2) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;
    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }
    bool showsNewCall() const override { return true; }
};
