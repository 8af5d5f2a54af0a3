#pragma once

#include "Logic/call/CPPIState.h"

// The target of a blind transfer is busy.
class CPPLineBlindTransferringBusyState final : public CPPIState {
public:
    CPPLineBlindTransferringBusyState() : CPPIState(23, 1) {}

    bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsEndCall() const override { return true; }
};
