#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// A placed call being set up.
class CPPLineInProcessState final : public CPPLineRingingState {
public:
    CPPLineInProcessState() : CPPLineRingingState(StateId::INPROCESS, StateCategory::IN_CALL) {}
};
