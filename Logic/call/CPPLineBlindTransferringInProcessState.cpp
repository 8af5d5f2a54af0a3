#include "Logic/call/CPPLineBlindTransferringInProcessState.h"

bool CPPLineBlindTransferringInProcessState::endCall(int32_t partyId,
                                                     const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
