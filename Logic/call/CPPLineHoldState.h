#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A call on hold.
class CPPLineHoldState final : public CPPIState {
public:
    CPPLineHoldState() : CPPIState(StateId::HOLD, StateCategory::IN_CALL) {}

    void conference(int32_t partyId, const CPPConnectionSettings* settings,
                    int32_t otherPartyId) const override;
    void resume(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const override;

    bool showsResume() const override { return true; }
    bool showsConference() const override { return true; }
    bool showsNewCall() const override { return true; }
};
