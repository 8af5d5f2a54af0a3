#pragma once

#include "Logic/call/CPPIState.h"

// The call being blind-transferred, held by the box.
class CPPLineBlindTransferHoldState final : public CPPIState {
public:
    CPPLineBlindTransferHoldState() : CPPIState(19, 1) {}
};
