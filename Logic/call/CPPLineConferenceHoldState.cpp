#include "Logic/call/CPPLineConferenceHoldState.h"

void CPPLineConferenceHoldState::resume(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
}

void CPPLineConferenceHoldState::newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(freePartyId, settings);
}
