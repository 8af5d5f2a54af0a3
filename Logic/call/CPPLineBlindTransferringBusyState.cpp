#include "Logic/call/CPPLineBlindTransferringBusyState.h"

bool CPPLineBlindTransferringBusyState::endCall(int32_t partyId,
                                                const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
