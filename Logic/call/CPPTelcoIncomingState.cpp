#include "Logic/call/CPPTelcoIncomingState.h"

#include "Logic/protocol/CommandParser.h"

void CPPTelcoIncomingState::answer(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressHook(partyId, settings, 1);
}

void CPPTelcoIncomingState::hookFlash(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHookFlash(settings));
}
