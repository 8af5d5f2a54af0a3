#pragma once

#include "Logic/call/CPPIState.h"

// A telephone-line call in progress.
class CPPTelcoConnectedState final : public CPPIState {
public:
    CPPTelcoConnectedState() : CPPIState(6, 1) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsKeyPad() const override { return true; }
    bool showsEndCall() const override { return true; }
    bool showsHookFlash() const override { return true; }
};
