#include "Logic/call/CPPLineTransferringDialingState.h"

bool CPPLineTransferringDialingState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                                const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPLineTransferringDialingState::cancelTransfer(int32_t partyId,
                                                     const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
