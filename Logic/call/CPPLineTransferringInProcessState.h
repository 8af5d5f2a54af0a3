#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// The call to an assisted transfer's target being set up.
class CPPLineTransferringInProcessState final : public CPPLineRingingState {
public:
    CPPLineTransferringInProcessState()
        : CPPLineRingingState(StateId::TRANSFERRING_INPROCESS, StateCategory::IN_CALL) {}
};
