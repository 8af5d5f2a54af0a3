#pragma once

#include "Logic/call/CPPIState.h"

// The call to a blind transfer's target being set up.
class CPPLineBlindTransferringInProcessState final : public CPPIState {
public:
    CPPLineBlindTransferringInProcessState() : CPPIState(27, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
