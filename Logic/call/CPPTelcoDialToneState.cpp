#include "Logic/call/CPPTelcoDialToneState.h"

bool CPPTelcoDialToneState::dial(int32_t partyId, const CPPConnectionSettings* settings,
                                 const std::string& number) const {
    pressCall(partyId, settings, number);
    return true;
}
