#include "Logic/call/CPPLineConferenceActiveState.h"

#include "Logic/protocol/CommandParser.h"

bool CPPLineConferenceActiveState::sendDigit(int32_t, const CPPConnectionSettings* settings, bool pressed,
                                             const std::string& digit) const {
    pressDigit(digit, pressed, settings);
    return true;
}

void CPPLineConferenceActiveState::conference(int32_t partyId, const CPPConnectionSettings* settings,
                                              int32_t) const {
    pressConference(partyId, settings);
}

void CPPLineConferenceActiveState::hold(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHold(settings));
}

void CPPLineConferenceActiveState::newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const {
    hold(freePartyId, settings);
    pressPartyKey(freePartyId, settings);
}

bool CPPLineConferenceActiveState::endCall(int32_t, const CPPConnectionSettings* settings) const {
    send(CommandParser::keyHook(settings));
    return true;
}
