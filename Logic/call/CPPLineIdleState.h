#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// No call on the party: it can go off hook or dial.
class CPPLineIdleState final : public CPPIState {
public:
    CPPLineIdleState() : CPPIState(StateId::IDLE, StateCategory::IDLE) {}

    bool offHook(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;

    bool showsNewCall() const override { return true; }
};
