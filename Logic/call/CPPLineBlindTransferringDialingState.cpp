#include "Logic/call/CPPLineBlindTransferringDialingState.h"

bool CPPLineBlindTransferringDialingState::sendDigit(int32_t, const CPPConnectionSettings* settings,
                                                     bool pressed, const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPLineBlindTransferringDialingState::cancelTransfer(int32_t partyId,
                                                          const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
