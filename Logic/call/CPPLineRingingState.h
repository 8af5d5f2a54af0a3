#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A placed call ringing at the far end. The states in which the user can only hang up
// (busy, in process, and their transfer forms) behave the same.
class CPPLineRingingState : public CPPIState {
public:
    CPPLineRingingState() : CPPIState(StateId::RINGING, StateCategory::IN_CALL) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }

protected:
    CPPLineRingingState(int32_t stateId, int32_t category) : CPPIState(stateId, category) {}
};
