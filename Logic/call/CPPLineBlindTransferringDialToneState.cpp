#include "Logic/call/CPPLineBlindTransferringDialToneState.h"

bool CPPLineBlindTransferringDialToneState::dial(int32_t partyId, const CPPConnectionSettings* settings,
                                                 const std::string& number) const {
    pressCall(partyId, settings, number);
    return true;
}

bool CPPLineBlindTransferringDialToneState::sendDigit(int32_t, const CPPConnectionSettings* settings,
                                                      bool pressed, const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPLineBlindTransferringDialToneState::cancelTransfer(int32_t partyId,
                                                           const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
