#pragma once

#include "Logic/call/CPPLineTransferringDialToneState.h"

// Waiting for the number of a blind transfer.
class CPPLineBlindTransferringDialToneState final : public CPPLineTransferringDialToneState {
public:
    CPPLineBlindTransferringDialToneState() : CPPLineTransferringDialToneState(20, 2) {}
};
