#include "Logic/call/CPPLineTransferringBusyState.h"

bool CPPLineTransferringBusyState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
