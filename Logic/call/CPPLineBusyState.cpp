#include "Logic/call/CPPLineBusyState.h"

bool CPPLineBusyState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
