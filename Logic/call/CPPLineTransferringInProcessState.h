#pragma once

#include "Logic/call/CPPLineRingingState.h"

// The call to an assisted transfer's target being set up.
class CPPLineTransferringInProcessState final : public CPPLineRingingState {
public:
    CPPLineTransferringInProcessState() : CPPLineRingingState(26, 1) {}
};
