#pragma once

#include "Logic/call/CPPIState.h"

// The call to an assisted transfer's target being set up.
class CPPLineTransferringInProcessState final : public CPPIState {
public:
    CPPLineTransferringInProcessState() : CPPIState(26, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
