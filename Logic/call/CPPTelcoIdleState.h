#pragma once

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"

// Telephone line on hook.
class CPPTelcoIdleState final : public CPPIState {
public:
    CPPTelcoIdleState() : CPPIState(StateId::TELCO_IDLE, StateCategory::IDLE) {}

    bool offHook(int32_t partyId, const CPPConnectionSettings* settings) const override;
    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;
    void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsNewCall() const override { return true; }
};
