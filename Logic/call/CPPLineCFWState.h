#pragma once

#include "Logic/call/CPPIState.h"

// A call forwarded away; the party turns it into IDLE at once.
class CPPLineCFWState final : public CPPIState {
public:
    CPPLineCFWState() : CPPIState(24, 1) {}
};
