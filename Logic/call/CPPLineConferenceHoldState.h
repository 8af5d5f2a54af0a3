#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A conference on hold.
class CPPLineConferenceHoldState final : public CPPIState {
public:
    CPPLineConferenceHoldState() : CPPIState(StateId::CONFERENCE_HOLD, StateCategory::IN_CALL) {}

    void resume(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const override;

    bool showsResume() const override { return true; }
    bool showsNewCall() const override { return true; }
};
