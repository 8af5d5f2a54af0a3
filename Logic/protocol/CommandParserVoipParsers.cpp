#include "Logic/protocol/CommandParser.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/common/Tokenizer.h"
#include "Logic/connection/DeviceCommunication.h"

namespace {

CPPLine& line() {
    return *DeviceCommunication::getInstance()->getLine();
}

} // namespace

std::unique_ptr<CPPNotificationInfo>
CommandParser::makeParsedRecord(int32_t notificationType, int32_t endPointType, const std::string& line,
                                const regmatch_t* matches, const std::string& bn, const std::string& pn,
                                const std::string& payload) {
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setNotificationType(notificationType);
    record->setCmdType(CommandType::RECEIVED);
    record->setEndPointType(endPointType);
    record->setEpn(groupText(line, matches, 1));
    record->setBn(bn);
    record->setPn(pn);
    record->setPayload(payload);
    record->setOriginCmd(line);
    return record;
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseRegStatus(const std::string& text,
                                                                   const regmatch_t* matches) {
    const std::string status = groupText(text, matches, 2);
    if (!line().setSipProxyStatusByName(status))
        return nullptr;
    return makeParsedRecord(NotificationType::REGISTRATION, EndPointType::UA, text, matches, "INQUIRE_RESULT",
                            "REG_STATUS", status);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseCfwStatus(const std::string& text,
                                                                   const regmatch_t* matches) {
    const std::string status = groupText(text, matches, 2);
    if (!line().updateCallForwardingStatus(status))
        return nullptr;
    return makeParsedRecord(NotificationType::CALL_FORWARDING, EndPointType::UA, text, matches,
                            "INQUIRE_RESULT", "CFW_STATUS", status);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseDisplayName(const std::string& text,
                                                                     const regmatch_t* matches) {
    // Also takes the Telco local number, and still reports it as a VoIP display name.
    const std::string name = groupText(text, matches, 2);
    if (!line().updateDisplayName(name))
        return nullptr;
    return makeParsedRecord(NotificationType::LINE_NAME, EndPointType::UA, text, matches, "SETTINGS",
                            "DISPLAY_NAME", name);
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::parseActiveParties(const std::string& text, const regmatch_t* matches,
                                  const CPPConnectionSettings& settings) {
    std::string payload;
    bool changed = false;
    // Every party is updated, whatever the others reported.
    for (int32_t party = 1; party <= 5; ++party) {
        const std::string field = groupText(text, matches, static_cast<size_t>(party) + 1);
        payload += field + ";";
        changed = line().updateParty(party, field, &settings) || changed;
    }
    if (!changed)
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::UA, text, matches, "INQUIRE_RESULT",
                            "ACTIVE_PARTIES", payload);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseStateChange(const std::string& text,
                                                                     const regmatch_t* matches,
                                                                     const CPPConnectionSettings& settings) {
    const std::string partyField = groupText(text, matches, 2);
    const std::string state = groupText(text, matches, 3);
    if (!line().updateParty(stringToInt(partyField), state, &settings))
        return nullptr;
    return makeParsedRecord(NotificationType::PARTY_STATE, EndPointType::UA, text, matches, "NOTIFICATION",
                            "STATE_CHANGE", partyField + ";" + state);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseMessage(const std::string& text,
                                                                 const regmatch_t* matches) {
    const std::string message = groupText(text, matches, 2);
    Tokenizer tokens(message);
    const std::optional<std::string> first = tokens.next(";");
    if (!first)
        return nullptr;
    CPPLine& model = line();
    bool changed = false;
    if (*first == "CALL_FORWARD_DEACTIVATION") {
        changed = model.setCallForwardingTypeByName("CFW-NONE");
        // The user part stays: the display keeps showing who was last forwarded to.
        model.setCallForwardingNumber("");
    } else if (*first == "CALL_FORWARD_ACTIVATION") {
        if (const std::optional<std::string> type = tokens.next(";")) {
            changed = model.setCallForwardingTypeByName(*type);
            if (const std::optional<std::string> target = tokens.next(";"))
                storeForwardingTarget(*target);
        }
    }
    if (!changed)
        return nullptr;
    return makeCallForwardNotification(groupText(text, matches, 1), "MESSAGE", message, text);
}

void CommandParser::storeForwardingTarget(const std::string& target) {
    // scheme:user@host stores user@host; a target without a scheme is stored whole.
    Tokenizer pieces(target);
    std::optional<std::string> address = pieces.next(":");
    if (!address)
        return;
    CPPLine& model = line();
    model.setCallForwardingNumber(*address);
    if (std::optional<std::string> second = pieces.next(":")) {
        address = std::move(second);
        model.setCallForwardingNumber(*address);
    }
    const std::optional<std::string> user = Tokenizer(*address).next("@");
    model.setCallForwardingUserPart(user ? *user : *address);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseCfwActivationError(const std::string& text,
                                                                            const regmatch_t* matches) {
    // Reported only: the line's forwarding error message is deliberately left as it is.
    const std::string detail = groupText(text, matches, 2);
    if (detail.find("ERROR_CALL_ACTIVE") == std::string::npos &&
        detail.find("ERROR_FORWARD_ACTIVE_OR_INITIATED") == std::string::npos)
        return nullptr;
    return makeParsedRecord(NotificationType::CALL_FORWARDING_ERROR, EndPointType::UA, text, matches,
                            "NOTIFICATION", "ERROR", "CALL_FORWARD_ACTIVATION;" + detail);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseErrInfo(const std::string& text,
                                                                 const regmatch_t* matches) {
    return makeParsedRecord(NotificationType::ERROR_INFO, EndPointType::UA, text, matches, "ERROR",
                            "ERR_INFO", groupText(text, matches, 2));
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseDndStatus(const std::string& text,
                                                                   const regmatch_t* matches) {
    return makeDndNotification(groupText(text, matches, 2), text);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::parseRedial(const std::string&, const regmatch_t*) {
    // The call a redial ends is kept out of the call log.
    DeviceCommunication::getInstance()->setRedialPending(true);
    return nullptr;
}
