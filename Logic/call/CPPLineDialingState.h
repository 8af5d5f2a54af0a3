#pragma once

#include "Logic/call/CPPLineDialToneState.h"
#include "Logic/common/Codes.h"

// Dialling; the box still takes a full number or digits.
class CPPLineDialingState final : public CPPLineDialToneState {
public:
    CPPLineDialingState() : CPPLineDialToneState(StateId::DIALING, StateCategory::COLLECTING_DIGITS) {}
};
