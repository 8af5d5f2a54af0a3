#pragma once

#include "Logic/call/CPPLineRingingState.h"
#include "Logic/common/Codes.h"

// A placed call that found the far end busy.
class CPPLineBusyState final : public CPPLineRingingState {
public:
    CPPLineBusyState() : CPPLineRingingState(StateId::BUSY, StateCategory::IN_CALL) {}
};
