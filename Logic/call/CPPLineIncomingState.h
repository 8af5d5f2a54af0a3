#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A call offered to the line.
class CPPLineIncomingState final : public CPPIState {
public:
    CPPLineIncomingState() : CPPIState(StateId::INCOMING, StateCategory::IN_CALL) {}

    bool reject(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void answer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsReject() const override { return true; }
    bool showsAnswer() const override { return true; }
};
