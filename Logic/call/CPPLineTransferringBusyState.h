#pragma once

#include "Logic/call/CPPIState.h"

// The target of an assisted transfer is busy.
class CPPLineTransferringBusyState final : public CPPIState {
public:
    CPPLineTransferringBusyState() : CPPIState(16, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
