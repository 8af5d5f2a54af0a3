#include "Logic/call/CPPLineIncomingState.h"

#include "Logic/common/Conversions.h"
#include "Logic/protocol/CommandParser.h"

bool CPPLineIncomingState::reject(int32_t partyId, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyReject(settings) + " " + toString(partyId));
    return true;
}

void CPPLineIncomingState::answer(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
}
