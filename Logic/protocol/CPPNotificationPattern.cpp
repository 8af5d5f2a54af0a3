#include "Logic/protocol/CPPNotificationPattern.h"

#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/protocol/CommandParser.h"
#include "Logic/protocol/CompiledPattern.h"

#include <type_traits>
#include <vector>

// Named rows first, then numeric, then the generic forms: the first match wins, even when its
// handler reports nothing, so the order is part of the grammar.
const CPPNotificationPattern NOTIFICATION_PATTERN_TABLE[NOTIFICATION_PATTERN_COUNT + 1] = {
    {"EP UA (.*) INQUIRE_RESULT REG_STATUS (.*)", 0},
    {"EP 20 (.*) 3 1 (.*)", 0},
    {"EP (.*) INQUIRE_RESULT REG_STATUS (.*)", 0},
    {"EP (.*) 3 1 (.*)", 0},
    {"EP UA (.*) INQUIRE_RESULT CFW_STATUS (.*)", 1},
    {"EP 20 (.*) 3 3 (.*)", 1},
    {"EP (.*) INQUIRE_RESULT CFW_STATUS (.*)", 1},
    {"EP (.*) 3 3 (.*)", 1},
    {"EP UA (.*) SETTINGS DISPLAY_NAME (.*)", 2},
    {"EP 20 (.*) 6 7 (.*)", 2},
    {"EP (.*) SETTINGS DISPLAY_NAME (.*)", 2},
    {"EP (.*) 6 7 (.*)", 2},
    {"EP UA (.*) INQUIRE_RESULT ACTIVE_PARTIES (.*);(.*);(.*);(.*);(.*);", 3},
    {"EP 20 (.*) 3 2 (.*);(.*);(.*);(.*);(.*);", 3},
    {"EP (.*) INQUIRE_RESULT ACTIVE_PARTIES (.*);(.*);(.*);(.*);(.*);", 3},
    {"EP (.*) 3 2 (.*);(.*);(.*);(.*);(.*);", 3},
    {"EP UA (.*) NOTIFICATION STATE_CHANGE PL (.*);(.*)", 4},
    {"EP 20 (.*) 4 1 PL (.*);(.*)", 4},
    {"EP (.*) NOTIFICATION STATE_CHANGE PL (.*);(.*)", 4},
    {"EP (.*) 4 1 PL (.*);(.*)", 4},
    {"EP UA (.*) NOTIFICATION MESSAGE (.*)", 5},
    {"EP 20 (.*) 4 3 (.*)", 5},
    {"EP (.*) NOTIFICATION MESSAGE (.*)", 5},
    {"EP (.*) 4 3 (.*)", 5},
    {"EP UA (.*) NOTIFICATION ERROR CALL_FORWARD_ACTIVATION;(.*)", 6},
    {"EP 20 (.*) 4 4 CALL_FORWARD_ACTIVATION;(.*)", 6},
    {"EP (.*) NOTIFICATION ERROR CALL_FORWARD_ACTIVATION;(.*)", 6},
    {"EP (.*) 4 4 CALL_FORWARD_ACTIVATION;(.*)", 6},
    {"EP UA (.*) ERROR ERR_INFO (.*)", 7},
    {"EP 20 (.*) 5 1 (.*)", 7},
    {"EP (.*) ERROR ERR_INFO (.*)", 7},
    {"EP (.*) 5 1 (.*)", 7},
    {"EP TELCO_RX (.*) SETTINGS LOCAL_NUMBER (.*)", 2},
    {"EP 3 (.*) 2 15 (.*)", 2},
    {"EP (.*) SETTINGS LOCAL_NUMBER (.*)", 2},
    {"EP (.*) 2 15 (.*)", 2},
    {"EP TELCO_RX (.*) KEY KEY_CALL (.*)", 8},
    {"EP 3 (.*) 3 1 (.*)", 8},
    {"EP (.*) KEY KEY_CALL (.*)", 8},
    {"EP (.*) 3 1 (.*)", 8},
    {"EP TELCO_RX (.*) KEY KEY_DIGIT_RELEASED (.*)", 9},
    {"EP 3 (.*) 3 6 (.*)", 9},
    {"EP (.*) KEY KEY_DIGIT_RELEASED (.*)", 9},
    {"EP (.*) 3 6 (.*)", 9},
    {"EP TELCO_RX (.*) NOTIFICATION RING (.*)", 10},
    {"EP (.*) NOTIFICATION RING (.*)", 10},
    {"EP TELCO_RX (.*) NOTIFICATION INCOMING_CALL(.*)", 11},
    {"EP 3 (.*) 4 1(.*)", 11},
    {"EP (.*) NOTIFICATION INCOMING_CALL(.*)", 11},
    {"EP (.*) 4 1(.*)", 11},
    {"EP TELCO_RX (.*) NOTIFICATION HOOK (.*)", 12},
    {"EP 3 (.*) 4 4 (.*)", 12},
    {"EP (.*) NOTIFICATION HOOK (.*)", 12},
    {"EP (.*) 4 4 (.*)", 12},
    {"EP TELCO_RX (.*) NOTIFICATION CALL_DURATION(.*)", 13},
    {"EP (.*) NOTIFICATION CALL_DURATION(.*)", 13},
    {"EP TELCO_RX (.*) NOTIFICATION CALLER_ID (.*)", 14},
    {"EP 3 (.*) 4 3 (.*)", 14},
    {"EP (.*) NOTIFICATION CALLER_ID (.*)", 14},
    {"EP (.*) 4 3 (.*)", 14},
    {"EP TELCO_RX (.*) INQUIRE HOOK (.*)", 15},
    {"EP (.*) INQUIRE HOOK (.*)", 15},
    {"EP TELCO_RX (.*) INQUIRE OFF_HOOK_DURATION (.*)", 16},
    {"EP (.*) INQUIRE OFF_HOOK_DURATION (.*)", 16},
    {"EP TELCO_RX (.*) INQUIRE DIRECTION (.*)", 17},
    {"EP (.*) INQUIRE DIRECTION (.*)", 17},
    {"EP TELCO_RX (.*) INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK (.*)", 18},
    {"EP (.*) INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK (.*)", 18},
    {"EP TELCO_RX (.*) INQUIRE CALLER_ID (.*)", 14},
    {"EP (.*) INQUIRE CALLER_ID (.*)", 14},
    {"EP UA (.*) INQUIRE_RESULT DND_STATUS (.*)", 19},
    {"EP (.*) INQUIRE_RESULT DND_STATUS (.*)", 19},
    {"EP UA (.*) KEY KEY_REDIAL", 20},
    {"EP TELCO_RX (.*) KEY KEY_REDIAL", 20},
    {"EP (.*) KEY KEY_REDIAL", 20},
    {nullptr, NOTIFICATION_END_HANDLER},
};

namespace {

// Telco lines count only under a Telco profile; a VoIP profile drops them.
bool isTelco(const CPPConnectionSettings& settings) {
    return settings.getPhoneType() == PhoneType::TELCO;
}

constexpr bool TELCO_ONLY = true;

// One slot of the handler table: hands the line to its parser, with the profile when the
// parser takes one. A Telco-only slot answers nothing under any other profile.
template <auto parse, bool telcoOnly = false>
std::unique_ptr<CPPNotificationInfo> handle(CommandParser& parser, const std::string& line,
                                            const regmatch_t* matches,
                                            const CPPConnectionSettings& settings) {
    if constexpr (telcoOnly) {
        if (!isTelco(settings))
            return nullptr;
    }
    if constexpr (std::is_invocable_v<decltype(parse), CommandParser&, const std::string&, const regmatch_t*,
                                      const CPPConnectionSettings&>)
        return (parser.*parse)(line, matches, settings);
    else
        return (parser.*parse)(line, matches);
}

} // namespace

const NotificationHandler NOTIFICATION_HANDLER_TABLE[NOTIFICATION_END_HANDLER + 1] = {
    handle<&CommandParser::parseRegStatus>,
    handle<&CommandParser::parseCfwStatus>,
    handle<&CommandParser::parseDisplayName>,
    handle<&CommandParser::parseActiveParties>,
    handle<&CommandParser::parseStateChange>,
    handle<&CommandParser::parseMessage>,
    handle<&CommandParser::parseCfwActivationError>,
    handle<&CommandParser::parseErrInfo>,
    handle<&CommandParser::parseTelcoKeyCall, TELCO_ONLY>,
    handle<&CommandParser::parseTelcoDigitReleased, TELCO_ONLY>,
    handle<&CommandParser::parseRing, TELCO_ONLY>,
    handle<&CommandParser::parseIncomingCall, TELCO_ONLY>,
    handle<&CommandParser::parseHookNotification, TELCO_ONLY>,
    // The call duration has no gate: a VoIP profile parses it too.
    handle<&CommandParser::parseCallDuration>,
    handle<&CommandParser::parseCallerId, TELCO_ONLY>,
    handle<&CommandParser::parseInquireHook, TELCO_ONLY>,
    handle<&CommandParser::parseOffHookDuration, TELCO_ONLY>,
    handle<&CommandParser::parseDirection, TELCO_ONLY>,
    handle<&CommandParser::parseDigitsDialedSinceOffHook, TELCO_ONLY>,
    handle<&CommandParser::parseDndStatus>,
    handle<&CommandParser::parseRedial>,
    nullptr,
};

const CompiledPattern& compiledNotificationPattern(size_t row) {
    // Compiled on first use under a thread-safe static; shared read-only by the receive thread
    // and the serial path afterwards. Never freed, like the other process-wide objects.
    static const std::vector<const CompiledPattern*>* const table = [] {
        auto* compiled = new std::vector<const CompiledPattern*>();
        for (size_t index = 0; index < NOTIFICATION_PATTERN_COUNT; ++index)
            compiled->push_back(new CompiledPattern(NOTIFICATION_PATTERN_TABLE[index].regex));
        return compiled;
    }();
    return *(*table)[row];
}
