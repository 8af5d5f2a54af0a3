#pragma once

#include "Logic/call/CPPIState.h"

// A placed call that found the far end busy.
class CPPLineBusyState final : public CPPIState {
public:
    CPPLineBusyState() : CPPIState(5, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
