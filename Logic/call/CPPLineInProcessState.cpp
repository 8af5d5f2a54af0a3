#include "Logic/call/CPPLineInProcessState.h"

bool CPPLineInProcessState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
