#pragma once

#include "Logic/call/CPPLineRingingState.h"

// A placed call being set up.
class CPPLineInProcessState final : public CPPLineRingingState {
public:
    CPPLineInProcessState() : CPPLineRingingState(25, 1) {}
};
