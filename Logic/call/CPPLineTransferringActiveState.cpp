#include "Logic/call/CPPLineTransferringActiveState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPLineTransferringActiveState::cancelTransfer(int32_t partyId,
                                                    const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}

bool CPPLineTransferringActiveState::completeTransfer(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyTransfer(settings));
    return true;
}
