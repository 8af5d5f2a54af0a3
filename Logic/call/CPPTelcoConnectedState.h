#pragma once

#include "Logic/call/CPPTelcoDigitCollectionState.h"

// A telephone-line call in progress, the only Telco state that shows the hook flash.
class CPPTelcoConnectedState final : public CPPTelcoDigitCollectionState {
public:
    CPPTelcoConnectedState() : CPPTelcoDigitCollectionState(6, 1) {}

    bool showsHookFlash() const override { return true; }
};
