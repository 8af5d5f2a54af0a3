#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The call being blind-transferred, held by the box.
class CPPLineBlindTransferHoldState final : public CPPIState {
public:
    CPPLineBlindTransferHoldState() : CPPIState(StateId::BLIND_TRANSFER_HOLD, StateCategory::IN_CALL) {}
};
