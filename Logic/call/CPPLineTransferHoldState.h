#pragma once

#include "Logic/call/CPPIState.h"

// The call being transferred, held by the box.
class CPPLineTransferHoldState final : public CPPIState {
public:
    CPPLineTransferHoldState() : CPPIState(11, 1) {}
};
