#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The target of an assisted transfer on hold.
class CPPLineTransferringHoldState final : public CPPIState {
public:
    CPPLineTransferringHoldState() : CPPIState(StateId::TRANSFERRING_HOLD, StateCategory::IN_CALL) {}
};
