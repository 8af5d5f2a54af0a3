#include "Logic/protocol/CommandParser.h"

#include "Logic/common/Codes.h"
#include "Logic/common/Utf8.h"

namespace {

// Stand-ins for the box's answers about endpoint 1, made without a received line.
std::unique_ptr<CPPNotificationInfo> makeResetRecord(int32_t notificationType, const std::string& bn,
                                                     const std::string& pn, const std::string& payload) {
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setNotificationType(notificationType);
    record->setCmdType(CommandType::RECEIVED);
    record->setEndPointType(EndPointType::UA);
    record->setEpn("1");
    record->setBn(bn);
    record->setPn(pn);
    record->setPayload(payload);
    return record;
}

} // namespace

std::unique_ptr<CPPNotificationInfo>
CommandParser::makeOwnRecord(int32_t notificationType, const std::string& pn, const std::string& payload) {
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setNotificationType(notificationType);
    record->setCmdType(CommandType::CORE);
    record->setEndPointType(EndPointType::UA);
    record->setBn(notificationType == NotificationType::CONNECTION ? "CONNECTION" : "NOTIFICATION");
    record->setPn(pn);
    record->setPayload(payload);
    return record;
}

bool CommandParser::isAvailabilityWord(const std::string& word) {
    return word == "ENABLE" || word == "DISABLE";
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeConnectionNotification(const std::string& status,
                                                                               const std::string& message) {
    // A failed login quotes what the box sent, which may be in any encoding.
    return makeOwnRecord(NotificationType::CONNECTION, status, toValidUtf8(message));
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeErrorNotification(bool isError,
                                                                          const std::string& text) {
    return makeOwnRecord(NotificationType::SYSTEM_MESSAGE, isError ? "ERROR" : "MESSAGE", text);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeCfwInactiveNotification() {
    return makeResetRecord(NotificationType::CALL_FORWARDING, "INQUIRE_RESULT", "CFW_STATUS", "INACTIVE");
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeSettingsNotification(const std::string& name,
                                                                             bool enabled) {
    return makeResetRecord(NotificationType::LINE_NAME, "SETTINGS", enabled ? "ENABLE" : "DISABLE", name);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeActivePartiesResetNotification() {
    return makeResetRecord(NotificationType::PARTY_STATE, "INQUIRE_RESULT", "ACTIVE_PARTIES", "");
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::makeCallForwardNotification(const std::string& epn, const std::string& pn,
                                           const std::string& payload, const std::string& originCmd) {
    auto record = makeResetRecord(NotificationType::CALL_FORWARDING, "NOTIFICATION", pn, payload);
    record->setEpn(epn);
    record->setOriginCmd(originCmd);
    return record;
}
