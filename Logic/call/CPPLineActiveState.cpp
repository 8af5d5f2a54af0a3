#include "Logic/call/CPPLineActiveState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPLineActiveState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                   const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

void CPPLineActiveState::conference(int32_t partyId, const CPPConnectionSettings* settings,
                                    int32_t otherPartyId) const {
    // Join the first call held in conference: put this one on hold, pick the other, then
    // conference this party in.
    if (otherPartyId > -1) {
        hold(partyId, settings);
        pressPartyKey(otherPartyId, settings);
    }
    pressConference(partyId, settings);
}

void CPPLineActiveState::transfer(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyTransfer(settings));
}

void CPPLineActiveState::blindTransfer(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyBlindTransfer(settings));
}

void CPPLineActiveState::hold(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHold(settings));
}

void CPPLineActiveState::newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const {
    hold(freePartyId, settings);
    pressPartyKey(freePartyId, settings);
}

bool CPPLineActiveState::endCall(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
    return true;
}
