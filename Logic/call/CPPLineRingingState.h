#pragma once

#include "Logic/call/CPPIState.h"

// A placed call ringing at the far end.
class CPPLineRingingState final : public CPPIState {
public:
    CPPLineRingingState() : CPPIState(4, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
