#include "Logic/call/CPPLineHoldState.h"

void CPPLineHoldState::conference(int32_t partyId, const CPPConnectionSettings* settings, int32_t) const {
    pressConference(partyId, settings);
}

void CPPLineHoldState::resume(int32_t partyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(partyId, settings);
}

void CPPLineHoldState::newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const {
    pressPartyKey(freePartyId, settings);
}
