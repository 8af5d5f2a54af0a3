#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A call joined in a running conference; hanging up ends the conference.
class CPPLineConferenceActiveState final : public CPPIState {
public:
    CPPLineConferenceActiveState() : CPPIState(StateId::CONFERENCE_ACTIVE, StateCategory::IN_CALL) {}

    bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                   const std::string& digit) const override;
    void conference(int32_t partyId, const CPPConnectionSettings* settings,
                    int32_t otherPartyId) const override;
    void hold(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const override;
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsHold() const override { return true; }
    bool showsKeyPad() const override { return true; }
    bool showsConference() const override { return true; }
    bool showsEndCall() const override { return true; }
    bool showsNewCall() const override { return true; }
};
