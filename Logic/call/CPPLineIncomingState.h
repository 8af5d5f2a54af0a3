#pragma once

#include "Logic/call/CPPIState.h"

// A call offered to the line.
class CPPLineIncomingState final : public CPPIState {
public:
    CPPLineIncomingState() : CPPIState(8, 1) {}

    bool reject(int32_t partyId, const CPPConnectionSettings* settings) const override;
    void answer(int32_t partyId, const CPPConnectionSettings* settings) const override;

    bool showsReject() const override { return true; }
    bool showsAnswer() const override { return true; }
};
