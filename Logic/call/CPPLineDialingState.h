#pragma once

#include "Logic/call/CPPLineDialToneState.h"

// Dialling; the box still takes a full number or digits.
class CPPLineDialingState final : public CPPLineDialToneState {
public:
    CPPLineDialingState() : CPPLineDialToneState(3, 2) {}
};
