#pragma once

#include "Logic/call/CPPLineRingingState.h"

// The target of an assisted transfer is busy.
class CPPLineTransferringBusyState final : public CPPLineRingingState {
public:
    CPPLineTransferringBusyState() : CPPLineRingingState(16, 1) {}
};
