#pragma once

#include "Logic/call/CPPLineRingingState.h"

// A placed call that found the far end busy.
class CPPLineBusyState final : public CPPLineRingingState {
public:
    CPPLineBusyState() : CPPLineRingingState(5, 1) {}
};
