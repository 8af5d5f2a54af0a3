#pragma once

#include "Logic/call/CPPIState.h"

// The target of an assisted transfer on hold.
class CPPLineTransferringHoldState final : public CPPIState {
public:
    CPPLineTransferringHoldState() : CPPIState(18, 1) {}
};
