#include "Logic/call/CPPLineRingingState.h"

bool CPPLineRingingState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
