#include "Logic/protocol/CPPNotificationPattern.h"

#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/protocol/CommandParser.h"
#include "Logic/protocol/CompiledPattern.h"

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

using Record = std::unique_ptr<CPPNotificationInfo>;

// Telco lines count only under a Telco profile; a VoIP profile drops them.
bool isTelco(const CPPConnectionSettings& settings) {
    return settings.getPhoneType() == PhoneType::TELCO;
}

Record handleRegStatus(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                       const CPPConnectionSettings&) {
    return parser.parseRegStatus(line, matches);
}

Record handleCfwStatus(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                       const CPPConnectionSettings&) {
    return parser.parseCfwStatus(line, matches);
}

Record handleDisplayName(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                         const CPPConnectionSettings&) {
    return parser.parseDisplayName(line, matches);
}

Record handleActiveParties(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                           const CPPConnectionSettings& settings) {
    return parser.parseActiveParties(line, matches, settings);
}

Record handleStateChange(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                         const CPPConnectionSettings& settings) {
    return parser.parseStateChange(line, matches, settings);
}

Record handleMessage(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                     const CPPConnectionSettings&) {
    return parser.parseMessage(line, matches);
}

Record handleCfwActivationError(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                                const CPPConnectionSettings&) {
    return parser.parseCfwActivationError(line, matches);
}

Record handleErrInfo(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                     const CPPConnectionSettings&) {
    return parser.parseErrInfo(line, matches);
}

Record handleTelcoKeyCall(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                          const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseTelcoKeyCall(line, matches, settings) : nullptr;
}

Record handleTelcoDigitReleased(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                                const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseTelcoDigitReleased(line, matches, settings) : nullptr;
}

Record handleRing(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                  const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseRing(line, matches, settings) : nullptr;
}

Record handleIncomingCall(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                          const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseIncomingCall(line, matches, settings) : nullptr;
}

Record handleHookNotification(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                              const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseHookNotification(line, matches, settings) : nullptr;
}

// The call duration has no gate: a VoIP profile parses it too.
Record handleCallDuration(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                          const CPPConnectionSettings& settings) {
    return parser.parseCallDuration(line, matches, settings);
}

Record handleCallerId(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                      const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseCallerId(line, matches, settings) : nullptr;
}

Record handleInquireHook(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                         const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseInquireHook(line, matches, settings) : nullptr;
}

Record handleOffHookDuration(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                             const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseOffHookDuration(line, matches) : nullptr;
}

Record handleDirection(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                       const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseDirection(line, matches, settings) : nullptr;
}

Record handleDigitsDialedSinceOffHook(CommandParser& parser, const std::string& line,
                                      const regmatch_t* matches, const CPPConnectionSettings& settings) {
    return isTelco(settings) ? parser.parseDigitsDialedSinceOffHook(line, matches, settings) : nullptr;
}

Record handleDndStatus(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                       const CPPConnectionSettings&) {
    return parser.parseDndStatus(line, matches);
}

Record handleRedial(CommandParser& parser, const std::string& line, const regmatch_t* matches,
                    const CPPConnectionSettings&) {
    return parser.parseRedial(line, matches);
}

} // namespace

const NotificationHandler NOTIFICATION_HANDLER_TABLE[NOTIFICATION_END_HANDLER + 1] = {
    handleRegStatus,
    handleCfwStatus,
    handleDisplayName,
    handleActiveParties,
    handleStateChange,
    handleMessage,
    handleCfwActivationError,
    handleErrInfo,
    handleTelcoKeyCall,
    handleTelcoDigitReleased,
    handleRing,
    handleIncomingCall,
    handleHookNotification,
    handleCallDuration,
    handleCallerId,
    handleInquireHook,
    handleOffHookDuration,
    handleDirection,
    handleDigitsDialedSinceOffHook,
    handleDndStatus,
    handleRedial,
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
