#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// The target of an assisted transfer is busy.
class CPPLineTransferringBusyState final : public CPPLineRingingState {
public:
    CPPLineTransferringBusyState()
        : CPPLineRingingState(StateId::TRANSFERRING_BUSY, StateCategory::IN_CALL) {}
};
