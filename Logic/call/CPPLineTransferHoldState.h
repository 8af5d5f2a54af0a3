#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The call being transferred, held by the box.
class CPPLineTransferHoldState final : public CPPIState {
public:
    CPPLineTransferHoldState() : CPPIState(StateId::TRANSFER_HOLD, StateCategory::IN_CALL) {}
};
