#pragma once

#include "Logic/call/CPPTelcoDigitCollectionState.h"
#include "Logic/common/Codes.h"

// A telephone-line call in progress, the only Telco state that shows the hook flash.
class CPPTelcoConnectedState final : public CPPTelcoDigitCollectionState {
public:
    CPPTelcoConnectedState()
        : CPPTelcoDigitCollectionState(StateId::TELCO_CONNECTED, StateCategory::IN_CALL) {}

    bool showsHookFlash() const override { return true; }
};
