#pragma once

#include "Logic/call/CPPLineTransferringRingingState.h"

// Talking to the target of an assisted transfer.
class CPPLineTransferringActiveState final : public CPPLineTransferringRingingState {
public:
    CPPLineTransferringActiveState() : CPPLineTransferringRingingState(17, 1) {}
};
