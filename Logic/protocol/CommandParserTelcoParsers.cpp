#include "Logic/protocol/CommandParser.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"

namespace {

CPPLine& line() {
    return *DeviceCommunication::getInstance()->getLine();
}

} // namespace

// The line model sends any follow-up inquiry itself, after releasing its lock and before it
// returns, so the inquiry goes out ahead of this line's record.

std::unique_ptr<CPPNotificationInfo> CommandParser::parseTelcoKeyCall(const std::string& text,
                                                                      const regmatch_t* matches,
                                                                      const CPPConnectionSettings& settings) {
    const std::string number = groupText(text, matches, 2);
    line().onTelcoKeyCall(number, &settings);
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "KEY",
                            "KEY_CALL", number);
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::parseTelcoDigitReleased(const std::string& text, const regmatch_t* matches,
                                       const CPPConnectionSettings& settings) {
    line().onTelcoDigitReleased(&settings);
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "KEY",
                            "KEY_DIGIT_RELEASED", groupText(text, matches, 2));
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseRing(const std::string& text,
                                                              const regmatch_t* matches,
                                                              const CPPConnectionSettings& settings) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoRing(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches,
                            "NOTIFICATION", "RING", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseIncomingCall(const std::string& text,
                                                                      const regmatch_t* matches,
                                                                      const CPPConnectionSettings& settings) {
    // The row has no blank after the keyword, so the group starts with it.
    const std::string value = trimSpaces(groupText(text, matches, 2));
    if (!line().onTelcoIncomingCall(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches,
                            "NOTIFICATION", "INCOMING_CALL", value);
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::parseHookNotification(const std::string& text, const regmatch_t* matches,
                                     const CPPConnectionSettings& settings) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoHook(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches,
                            "NOTIFICATION", "HOOK", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseCallDuration(const std::string& text,
                                                                      const regmatch_t* matches,
                                                                      const CPPConnectionSettings& settings) {
    const std::string value = trimSpaces(groupText(text, matches, 2));
    if (!line().onTelcoCallDuration(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches,
                            "NOTIFICATION", "CALL_DURATION", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseCallerId(const std::string& text,
                                                                  const regmatch_t* matches,
                                                                  const CPPConnectionSettings& settings) {
    // The inquiry's answer is reported like the unsolicited notification.
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoCallerId(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches,
                            "NOTIFICATION", "CALLER_ID", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseInquireHook(const std::string& text,
                                                                     const regmatch_t* matches,
                                                                     const CPPConnectionSettings& settings) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoHookInquiry(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "INQUIRE",
                            "HOOK", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseOffHookDuration(const std::string& text,
                                                                         const regmatch_t* matches) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoOffHookDuration(value))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "INQUIRE",
                            "OFF_HOOK_DURATION", value);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseDirection(const std::string& text,
                                                                   const regmatch_t* matches,
                                                                   const CPPConnectionSettings& settings) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoDirection(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "INQUIRE",
                            "DIRECTION", value);
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::parseDigitsDialedSinceOffHook(const std::string& text, const regmatch_t* matches,
                                             const CPPConnectionSettings& settings) {
    const std::string value = groupText(text, matches, 2);
    if (!line().onTelcoDigitsDialed(value, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::TELCO_RX, text, matches, "INQUIRE",
                            "DIGITS_DIALED_SINCE_OFF_HOOK", value);
}
