#include "Logic/protocol/CommandParser.h"

#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPConnectionSettings.h"

#include <cmath>

namespace {

// The keywords of the endpoint commands. Compile-time texts, so no builder can run before
// they exist. Redial and hook each have a VoIP and a Telco name for the same text.
constexpr const char* KEY_CALL_COMMAND = "KEY KEY_CALL";
constexpr const char* KEY_REJECT_COMMAND = "KEY KEY_REJECT";
constexpr const char* KEY_HOLD_COMMAND = "KEY KEY_HOLD";
constexpr const char* KEY_TRANSFER_COMMAND = "KEY KEY_TRANSFER";
constexpr const char* KEY_BLIND_TRANSFER_COMMAND = "KEY KEY_BLIND_TRANSFER";
constexpr const char* KEY_CONFERENCE_COMMAND = "KEY KEY_CONFERENCE";
constexpr const char* KEY_DIGIT_PRESSED_COMMAND = "KEY KEY_DIGIT_PRESSED";
constexpr const char* KEY_DIGIT_RELEASED_COMMAND = "KEY KEY_DIGIT_RELEASED";
constexpr const char* KEY_REDIAL_COMMAND = "KEY KEY_REDIAL";
constexpr const char* KEY_PARTY_COMMAND = "KEY KEY_PARTY";
constexpr const char* KEY_HOOK_COMMAND = "KEY KEY_HOOK";
constexpr const char* KEY_MUTE_COMMAND = "KEY KEY_MUTE";
constexpr const char* KEY_FORWARD_COMMAND = "KEY KEY_FORWARD";
constexpr const char* INQUIRE_REG_STATUS_COMMAND = "INQUIRE REG_STATUS";
constexpr const char* INQUIRE_ACTIVE_PARTIES_COMMAND = "INQUIRE ACTIVE_PARTIES";
constexpr const char* INQUIRE_CFW_STATUS_COMMAND = "INQUIRE CFW_STATUS";
constexpr const char* INQUIRE_RESULT_REG_STATUS_COMMAND = "INQUIRE_RESULT REG_STATUS";
constexpr const char* INQUIRE_RESULT_ACTIVE_PARTIES_COMMAND = "INQUIRE_RESULT ACTIVE_PARTIES";
constexpr const char* SETTINGS_DISPLAY_NAME_COMMAND = "SETTINGS DISPLAY_NAME";
constexpr const char* SETTINGS_LOCAL_NUMBER_COMMAND = "SETTINGS LOCAL_NUMBER";
constexpr const char* INQUIRE_HOOK_COMMAND = "INQUIRE HOOK";
constexpr const char* INQUIRE_OFF_HOOK_DURATION_COMMAND = "INQUIRE OFF_HOOK_DURATION";
constexpr const char* INQUIRE_DIRECTION_COMMAND = "INQUIRE DIRECTION";
constexpr const char* INQUIRE_DIGITS_DIALED_SINCE_OFF_HOOK_COMMAND = "INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK";
constexpr const char* INQUIRE_CALLER_ID_COMMAND = "INQUIRE CALLER_ID";
constexpr const char* KEY_HOOK_FLASH_COMMAND = "KEY KEY_HOOK_FLASH";
constexpr const char* KEY_SPEED_DIAL_COMMAND = "KEY KEY_SPEED_DIAL";
constexpr const char* TELCO_KEY_REDIAL_COMMAND = "KEY KEY_REDIAL";
constexpr const char* TELCO_KEY_HOOK_COMMAND = "KEY KEY_HOOK";

bool isVoip(const CPPConnectionSettings* settings) {
    return settings->getPhoneType() == PhoneType::VOIP;
}

// Without a group name the command would address nothing ("EP  LEVEL GAIN"): it is not built,
// and the senders skip an empty command.
std::string groupCommand(const std::string& head, const std::string& group, const std::string& tail) {
    return group.empty() ? std::string() : head + group + tail;
}

} // namespace

std::string CommandParser::buildEndpointPrefix(const CPPConnectionSettings* settings) {
    // Texts go out exactly as stored: nothing is trimmed, escaped or upper-cased.
    if (settings->isEPN())
        return (isVoip(settings) ? "EP UA " : "EP TELCO_RX ") + settings->getTelcoVoIPEPN() + " ";
    return "EP " + settings->getLabel() + " ";
}

std::string CommandParser::buildEndpointCommand(const CPPConnectionSettings* settings,
                                                const std::string& command) {
    return buildEndpointPrefix(settings) + command;
}

std::string CommandParser::settingsDisplayNameOrLocalNumber(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, isVoip(settings) ? SETTINGS_DISPLAY_NAME_COMMAND
                                                           : SETTINGS_LOCAL_NUMBER_COMMAND);
}

std::string CommandParser::keyCall(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_CALL_COMMAND);
}

std::string CommandParser::keyReject(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_REJECT_COMMAND);
}

std::string CommandParser::keyHold(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_HOLD_COMMAND);
}

std::string CommandParser::keyTransfer(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_TRANSFER_COMMAND);
}

std::string CommandParser::keyBlindTransfer(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_BLIND_TRANSFER_COMMAND);
}

std::string CommandParser::keyConference(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_CONFERENCE_COMMAND);
}

std::string CommandParser::keyDigitPressed(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_DIGIT_PRESSED_COMMAND);
}

std::string CommandParser::keyDigitReleased(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_DIGIT_RELEASED_COMMAND);
}

std::string CommandParser::keyRedial(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, isVoip(settings) ? KEY_REDIAL_COMMAND : TELCO_KEY_REDIAL_COMMAND);
}

std::string CommandParser::keyParty(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_PARTY_COMMAND);
}

std::string CommandParser::keyHook(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_HOOK_COMMAND);
}

std::string CommandParser::keyForward(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_FORWARD_COMMAND);
}

std::string CommandParser::keyMute(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_MUTE_COMMAND);
}

std::string CommandParser::inquireRegStatus(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_REG_STATUS_COMMAND);
}

std::string CommandParser::inquireCfwStatus(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_CFW_STATUS_COMMAND);
}

std::string CommandParser::inquireActiveParties(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_ACTIVE_PARTIES_COMMAND);
}

std::string CommandParser::inquireResultRegStatus(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_RESULT_REG_STATUS_COMMAND);
}

std::string CommandParser::inquireResultActiveParties(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_RESULT_ACTIVE_PARTIES_COMMAND);
}

std::string CommandParser::keyDoNotDisturb(const CPPConnectionSettings* settings) {
    // The caller appends the mode digit right after the blank.
    return buildEndpointCommand(settings, "KEY KEY_DO_NOT_DISTURB ");
}

std::string CommandParser::inquireDndStatus(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, "INQUIRE DND_STATUS");
}

std::string CommandParser::inquireHook(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_HOOK_COMMAND);
}

std::string CommandParser::inquireOffHookDuration(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_OFF_HOOK_DURATION_COMMAND);
}

std::string CommandParser::inquireDirection(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_DIRECTION_COMMAND);
}

std::string CommandParser::inquireDigitsDialedSinceOffHook(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_DIGITS_DIALED_SINCE_OFF_HOOK_COMMAND);
}

std::string CommandParser::inquireCallerId(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, INQUIRE_CALLER_ID_COMMAND);
}

std::string CommandParser::keyHookFlash(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_HOOK_FLASH_COMMAND);
}

std::string CommandParser::keySpeedDial(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, KEY_SPEED_DIAL_COMMAND);
}

std::string CommandParser::telcoKeyHook(const CPPConnectionSettings* settings) {
    return buildEndpointCommand(settings, TELCO_KEY_HOOK_COMMAND);
}

std::string CommandParser::microphoneLevelMute(const CPPConnectionSettings* settings) {
    return groupCommand("EP ", settings->getMicrophoneGroupName(), " LEVEL MUTE");
}

std::string CommandParser::microphoneLevelMuteToggle(const CPPConnectionSettings* settings) {
    return groupCommand("EP ", settings->getMicrophoneGroupName(), " LEVEL MUTE 2");
}

std::string CommandParser::speakerRamp(const CPPConnectionSettings* settings, const std::string& target,
                                       const std::string& step) {
    return groupCommand("RAMP ", settings->getSpeakerGroupName(), " " + target + " " + step);
}

std::string CommandParser::speakerLevelGain(const CPPConnectionSettings* settings) {
    return groupCommand("EP ", settings->getSpeakerGroupName(), " LEVEL GAIN");
}

std::string CommandParser::speakerLevelMinMaxGain(const CPPConnectionSettings* settings, bool max) {
    return groupCommand("EP ", settings->getSpeakerGroupName(), max ? " LEVEL MAX_GAIN" : " LEVEL MIN_GAIN");
}

std::string CommandParser::speakerLevelGainValue(const CPPConnectionSettings* settings,
                                                 const std::string& value) {
    return groupCommand("EP ", settings->getSpeakerGroupName(), " LEVEL GAIN " + value);
}

std::string CommandParser::speakerRampAll(const CPPConnectionSettings* settings, const std::string& value) {
    return groupCommand("RAMP ", settings->getSpeakerGroupName(), " * " + value);
}

std::string CommandParser::cleanArgument(const std::string& text) {
    std::string cleaned;
    cleaned.reserve(text.size());
    for (const char character : text) {
        if (character != '\r' && character != '\n' && character != '\0')
            cleaned += character;
    }
    return cleaned;
}

float CommandParser::sliderPosition(float level, float minimum, float maximum) {
    // Differences in single precision, the share in double, as the box's figures are given.
    const float offset = std::fabs(level - minimum);
    const float range = std::fabs(maximum - minimum);
    if (range == 0.0F)
        return 0.0F;
    const auto share = static_cast<float>(static_cast<double>(offset) * 100.0 / static_cast<double>(range));
    // Figures near the float limits overflow the differences; no position is better than NaN.
    return std::isfinite(share) ? share : 0.0F;
}
