#pragma once

#include "Logic/call/CPPLineTransferringRingingState.h"
#include "Logic/common/Codes.h"

// Talking to the target of an assisted transfer.
class CPPLineTransferringActiveState final : public CPPLineTransferringRingingState {
public:
    CPPLineTransferringActiveState()
        : CPPLineTransferringRingingState(StateId::TRANSFERRING_ACTIVE, StateCategory::IN_CALL) {}
};
