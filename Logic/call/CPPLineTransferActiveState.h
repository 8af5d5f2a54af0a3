#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// The call being transferred, still active.
class CPPLineTransferActiveState final : public CPPIState {
public:
    CPPLineTransferActiveState() : CPPIState(StateId::TRANSFER_ACTIVE, StateCategory::IN_CALL) {}
};
