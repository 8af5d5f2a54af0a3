#include "Logic/call/CPPLineTransferringRingingState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPLineTransferringRingingState::cancelTransfer(int32_t partyId,
                                                     const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}

bool CPPLineTransferringRingingState::completeTransfer(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyTransfer(settings));
    return true;
}
