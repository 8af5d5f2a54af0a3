#include "Logic/call/CPPLineBlindTransferringRingingState.h"

bool CPPLineBlindTransferringRingingState::cancelTransfer(int32_t partyId,
                                                          const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
