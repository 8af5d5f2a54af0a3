#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The telephone line ringing.
class CPPTelcoIncomingState final : public CPPIState {
public:
    CPPTelcoIncomingState() : CPPIState(StateId::TELCO_INCOMING, StateCategory::IN_CALL) {}

    void answer(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsAnswer() const override { return true; }
};
