#include "Logic/call/CPPLineTransferringInProcessState.h"

bool CPPLineTransferringInProcessState::endCall(int32_t partyId,
                                                const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
