#pragma once

#include "Logic/call/CPPLineRingingState.h"

// The target of a blind transfer is busy.
class CPPLineBlindTransferringBusyState final : public CPPLineRingingState {
public:
    CPPLineBlindTransferringBusyState() : CPPLineRingingState(23, 1) {}
};
