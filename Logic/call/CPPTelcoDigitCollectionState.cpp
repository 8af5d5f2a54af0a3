#include "Logic/call/CPPTelcoDigitCollectionState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPTelcoDigitCollectionState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                             const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPTelcoDigitCollectionState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressHook(partyId, settings, 0);
    return true;
}

void CPPTelcoDigitCollectionState::hookFlash(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHookFlash(settings));
}
