#include "Logic/call/CPPTelcoIdleState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPTelcoIdleState::offHook(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressHook(partyId, settings, 1);
    return true;
}

bool CPPTelcoIdleState::dial(int32_t partyId, const CPPConnectionSettings* settings,
                             const std::string& number) const {
    pressCall(partyId, settings, number);
    return true;
}

void CPPTelcoIdleState::hookFlash(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHookFlash(settings));
}
