#pragma once

#include "Logic/call/CPPIState.h"

// The call being transferred, still active.
class CPPLineTransferActiveState final : public CPPIState {
public:
    CPPLineTransferActiveState() : CPPIState(12, 1) {}
};
