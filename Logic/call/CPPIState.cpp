#include "Logic/call/CPPIState.h"

#include "Logic/common/Conversions.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/protocol/CommandParser.h"

bool CPPIState::offHook(int32_t, const CPPConnectionSettings*) const {
    return false;
}

bool CPPIState::dial(int32_t, const CPPConnectionSettings*, const std::string&) const {
    return false;
}

bool CPPIState::sendDigit(int32_t, const CPPConnectionSettings*, bool, const std::string&) const {
    return false;
}

void CPPIState::conference(int32_t, const CPPConnectionSettings*, int32_t) const {}

void CPPIState::transfer(int32_t, const CPPConnectionSettings*) const {}

void CPPIState::blindTransfer(int32_t, const CPPConnectionSettings*) const {}

bool CPPIState::reject(int32_t, const CPPConnectionSettings*) const {
    return false;
}

bool CPPIState::cancelTransfer(int32_t, const CPPConnectionSettings*) const {
    return false;
}

bool CPPIState::completeTransfer(int32_t, const CPPConnectionSettings*) const {
    return false;
}

void CPPIState::answer(int32_t, const CPPConnectionSettings*) const {}

void CPPIState::hold(int32_t, const CPPConnectionSettings*) const {}

void CPPIState::resume(int32_t, const CPPConnectionSettings*) const {}

void CPPIState::newCall(int32_t, const CPPConnectionSettings*) const {}

bool CPPIState::endCall(int32_t, const CPPConnectionSettings*) const {
    return false;
}

void CPPIState::hookFlash(int32_t, const CPPConnectionSettings*) const {}

void CPPIState::pressPartyKey(int32_t partyId, const CPPConnectionSettings* settings) {
    send(CommandParser::keyParty(settings) + " " + toString(partyId));
}

void CPPIState::pressDigit(const std::string& digit, bool pressed, const CPPConnectionSettings* settings) {
    const std::string key =
        pressed ? CommandParser::keyDigitPressed(settings) : CommandParser::keyDigitReleased(settings);
    send(key + " " + digit);
}

void CPPIState::pressConference(int32_t partyId, const CPPConnectionSettings* settings) {
    const std::string key = CommandParser::keyConference(settings);
    send(key + " " + toString(partyId));
    send(key);
}

void CPPIState::pressHook(int32_t, const CPPConnectionSettings* settings, int32_t value) {
    send(CommandParser::keyHook(settings) + " " + toString(value));
}

void CPPIState::pressCall(int32_t, const CPPConnectionSettings* settings, const std::string& number) {
    send(CommandParser::keyCall(settings) + " " + number);
}

void CPPIState::send(const std::string& line) {
    DeviceCommunication::getInstance()->sendCommand(line);
}
