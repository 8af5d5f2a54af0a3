#pragma once

#include "Logic/call/CPPLineTransferringDialingState.h"

// Dialling the target of a blind transfer.
class CPPLineBlindTransferringDialingState final : public CPPLineTransferringDialingState {
public:
    CPPLineBlindTransferringDialingState() : CPPLineTransferringDialingState(21, 2) {}
};
