#pragma once

#include "Logic/call/CPPLineRingingState.h"

// The call to a blind transfer's target being set up.
class CPPLineBlindTransferringInProcessState final : public CPPLineRingingState {
public:
    CPPLineBlindTransferringInProcessState() : CPPLineRingingState(27, 1) {}
};
