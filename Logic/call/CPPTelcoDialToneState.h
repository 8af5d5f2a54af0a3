#pragma once

#include "Logic/call/CPPTelcoDigitCollectionState.h"
#include "Logic/common/Codes.h"

// Telephone line off hook, nothing dialled yet: a whole number can still be called.
class CPPTelcoDialToneState final : public CPPTelcoDigitCollectionState {
public:
    CPPTelcoDialToneState()
        : CPPTelcoDigitCollectionState(StateId::TELCO_DIAL_TONE, StateCategory::COLLECTING_DIGITS) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;

    bool showsNewCall() const override { return true; }
};
