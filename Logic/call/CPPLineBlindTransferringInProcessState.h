#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// The call to a blind transfer's target being set up.
class CPPLineBlindTransferringInProcessState final : public CPPLineRingingState {
public:
    CPPLineBlindTransferringInProcessState()
        : CPPLineRingingState(StateId::BLIND_TRANSFERRING_INPROCESS, StateCategory::IN_CALL) {}
};
