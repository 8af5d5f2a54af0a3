#include "Logic/call/CPPLineIdleState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPLineIdleState::offHook(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHook(settings));
    return true;
}

bool CPPLineIdleState::dial(int32_t partyId, const CPPConnectionSettings* settings,
                            const std::string& number) const {
    pressCall(partyId, settings, number);
    return true;
}
