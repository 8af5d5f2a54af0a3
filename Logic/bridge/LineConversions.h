#pragma once

#include "Logic/bridge/Line.h"
#include "Logic/call/CPPLine.h"
#include "Logic/call/CPPLineParty.h"

#include <cstdint>
#include <map>
#include <vector>

// From the core's line model to the interface's snapshots. Reading a party's contact reads the
// store, so convert copies (the CPPLine copy constructor), never under the line's lock.
LinePtr lineFromCpp(const CPPLine& line);
// The same without the parties' contacts, so without reading the store.
LinePtr lineWithoutContactsFromCpp(const CPPLine& line);
std::vector<LinePartyPtr> linePartiesFromCpp(const std::map<int32_t, CPPLineParty>& parties,
                                             bool withContacts = true);
LinePartyPtr linePartyFromCpp(const CPPLineParty& party, bool withContact = true);

// The interface's numbering of the core's codes.
int64_t sipProxyStatusFromCpp(int32_t status);
// The core's busy (2) and no-reply (3) change places.
int64_t callForwardingTypeFromCpp(int32_t type);
// 0 and 1 kept, anything else 2; the same for the do-not-disturb state and a party's status.
int64_t lineStateFromCpp(int32_t state);
int64_t doNotDisturbStateFromCpp(int32_t state);
int64_t linePartyStatusFromCpp(int32_t status);
// The core's state ids, except that the transferring and blind-transferring dialing, ringing
// and busy states show as the ones the screens draw for them, and every id above 26 as 27.
int64_t linePartyStateFromCpp(int32_t state);
