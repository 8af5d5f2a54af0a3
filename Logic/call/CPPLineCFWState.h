#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// A call forwarded away; the party turns it into IDLE at once.
class CPPLineCFWState final : public CPPIState {
public:
    CPPLineCFWState() : CPPIState(StateId::CFW, StateCategory::IN_CALL) {}
};
