#pragma once

#include "Logic/call/CPPIState.h"

// A placed call being set up.
class CPPLineInProcessState final : public CPPIState {
public:
    CPPLineInProcessState() : CPPIState(25, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
