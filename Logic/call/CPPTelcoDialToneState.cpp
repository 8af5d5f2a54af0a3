#include "Logic/call/CPPTelcoDialToneState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPTelcoDialToneState::dial(int32_t partyId, const CPPConnectionSettings* settings,
                                 const std::string& number) const {
    pressCall(partyId, settings, number);
    return true;
}

bool CPPTelcoDialToneState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                      const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

bool CPPTelcoDialToneState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressHook(partyId, settings, 0);
    return true;
}

void CPPTelcoDialToneState::hookFlash(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHookFlash(settings));
}
