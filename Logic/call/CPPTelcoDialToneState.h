#pragma once

#include "Logic/call/CPPTelcoDigitCollectionState.h"

// Telephone line off hook, nothing dialled yet: a whole number can still be called.
class CPPTelcoDialToneState final : public CPPTelcoDigitCollectionState {
public:
    CPPTelcoDialToneState() : CPPTelcoDigitCollectionState(2, 2) {}

    bool dial(int32_t partyId, const CPPConnectionSettings* settings,
              const std::string& number) const override;

    bool showsNewCall() const override { return true; }
};
