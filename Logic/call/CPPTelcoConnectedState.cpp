#include "Logic/call/CPPTelcoConnectedState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPTelcoConnectedState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                       const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPTelcoConnectedState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressHook(partyId, settings, 0);
    return true;
}

void CPPTelcoConnectedState::hookFlash(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHookFlash(settings));
}
