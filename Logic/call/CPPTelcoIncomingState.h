#pragma once

#include "Logic/call/CPPIState.h"

// The telephone line ringing.
class CPPTelcoIncomingState final : public CPPIState {
public:
    CPPTelcoIncomingState() : CPPIState(8, 1) {}

    void answer(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsAnswer() const override { return true; }
};
