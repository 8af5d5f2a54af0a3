#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// The target of a blind transfer is busy.
class CPPLineBlindTransferringBusyState final : public CPPLineRingingState {
public:
    CPPLineBlindTransferringBusyState()
        : CPPLineRingingState(StateId::BLIND_TRANSFERRING_BUSY, StateCategory::IN_CALL) {}
};
