#pragma once

#include "Logic/call/CPPIState.h"

// No call on the party: it can go off hook or dial.
class CPPLineIdleState final : public CPPIState {
public:
    CPPLineIdleState() : CPPIState(1, 0) {}

    bool offHook(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;

    bool showsNewCall() const override { return true; }
};
