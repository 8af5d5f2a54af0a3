#pragma once

#include "Logic/protocol/CPPNotificationInfo.h"

#include <regex.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPPConnectionSettings;

// Builds every command line sent to the box and turns every line received from it into a
// notification record. Holds no data: the builders are static, and the receive side works
// only on its arguments, the line model and the device communication object.
class CommandParser {
public:
    // A received tail that grows past this without a line end is dropped; the serial buffer
    // uses the same bound.
    static constexpr size_t MAX_RECEIVED_TAIL_BYTES = 64 * 1024;

    // Endpoint commands: the prefix that addresses the profile's endpoint, then the keyword.
    // Callers append any argument. The profile is never null.
    static std::string buildEndpointPrefix(const CPPConnectionSettings* settings);
    static std::string buildEndpointCommand(const CPPConnectionSettings* settings,
                                            const std::string& command);
    static std::string settingsDisplayNameOrLocalNumber(const CPPConnectionSettings* settings);
    static std::string keyCall(const CPPConnectionSettings* settings);
    static std::string keyReject(const CPPConnectionSettings* settings);
    static std::string keyHold(const CPPConnectionSettings* settings);
    static std::string keyTransfer(const CPPConnectionSettings* settings);
    static std::string keyBlindTransfer(const CPPConnectionSettings* settings);
    static std::string keyConference(const CPPConnectionSettings* settings);
    static std::string keyDigitPressed(const CPPConnectionSettings* settings);
    static std::string keyDigitReleased(const CPPConnectionSettings* settings);
    static std::string keyRedial(const CPPConnectionSettings* settings);
    static std::string keyParty(const CPPConnectionSettings* settings);
    static std::string keyHook(const CPPConnectionSettings* settings);
    static std::string keyForward(const CPPConnectionSettings* settings);
    static std::string keyMute(const CPPConnectionSettings* settings);
    static std::string inquireRegStatus(const CPPConnectionSettings* settings);
    static std::string inquireCfwStatus(const CPPConnectionSettings* settings);
    static std::string inquireActiveParties(const CPPConnectionSettings* settings);
    static std::string inquireResultRegStatus(const CPPConnectionSettings* settings);
    static std::string inquireResultActiveParties(const CPPConnectionSettings* settings);
    static std::string keyDoNotDisturb(const CPPConnectionSettings* settings);
    static std::string inquireDndStatus(const CPPConnectionSettings* settings);
    static std::string inquireHook(const CPPConnectionSettings* settings);
    static std::string inquireOffHookDuration(const CPPConnectionSettings* settings);
    static std::string inquireDirection(const CPPConnectionSettings* settings);
    static std::string inquireDigitsDialedSinceOffHook(const CPPConnectionSettings* settings);
    static std::string inquireCallerId(const CPPConnectionSettings* settings);
    static std::string keyHookFlash(const CPPConnectionSettings* settings);
    static std::string keySpeedDial(const CPPConnectionSettings* settings);
    static std::string telcoKeyHook(const CPPConnectionSettings* settings);

    // Group commands address the profile's speaker or microphone group, with no endpoint prefix;
    // each is empty when the group has no name.
    static std::string microphoneLevelMute(const CPPConnectionSettings* settings);
    static std::string microphoneLevelMuteToggle(const CPPConnectionSettings* settings);
    static std::string speakerRamp(const CPPConnectionSettings* settings, const std::string& target,
                                   const std::string& step);
    static std::string speakerLevelGain(const CPPConnectionSettings* settings);
    static std::string speakerLevelMinMaxGain(const CPPConnectionSettings* settings, bool max);
    static std::string speakerLevelGainValue(const CPPConnectionSettings* settings, const std::string& value);
    static std::string speakerRampAll(const CPPConnectionSettings* settings, const std::string& value);

    // Removes CR, LF and NUL from a user-entered argument, so it cannot end the command line
    // early or smuggle a second command in.
    static std::string cleanArgument(const std::string& text);

    // Volume level as a share of the stored range, in per cent; 0 when the range is empty.
    static float sliderPosition(float level, float minimum, float maximum);

    // Records the core makes itself. Three of them store the new value in the line first.
    std::unique_ptr<CPPNotificationInfo> makeConnectionNotification(const std::string& status,
                                                                    const std::string& message);
    std::unique_ptr<CPPNotificationInfo> makeErrorNotification(bool isError, const std::string& text);
    // Null when the mode is unchanged or the word is unknown.
    std::unique_ptr<CPPNotificationInfo> makeDndNotification(const std::string& word,
                                                             const std::string& payload);
    std::unique_ptr<CPPNotificationInfo> makeMuteNotification(bool muted, const std::string& status);
    std::unique_ptr<CPPNotificationInfo>
    makeVolumeNotification(const std::string& kind, const std::string& value, const std::string& payload);
    // Stand-ins for the box's own answers when the line is reset or after login.
    std::unique_ptr<CPPNotificationInfo> makeCfwInactiveNotification();
    std::unique_ptr<CPPNotificationInfo> makeSettingsNotification(const std::string& name, bool enabled);
    std::unique_ptr<CPPNotificationInfo> makeActivePartiesResetNotification();
    std::unique_ptr<CPPNotificationInfo> makeCallForwardNotification(const std::string& epn,
                                                                     const std::string& pn,
                                                                     const std::string& payload,
                                                                     const std::string& originCmd);

    // Cuts complete lines off the received text, trimmed and upper-cased, and hands back the
    // unfinished tail. -1 (and nothing touched) for empty data, else 0.
    int32_t splitReceivedLines(const std::string& data, std::vector<std::string>& lines, std::string& rest);
    static std::string trimSpaces(const std::string& text);
    static void toUpperInPlace(std::string& text);

    // One received line to a record, or null. The profile may be null.
    std::unique_ptr<CPPNotificationInfo> processReceivedLine(std::string line,
                                                             const CPPConnectionSettings* settings);
    // The first pattern row that matches the (upper-case) line decides it. settings is the
    // profile the processor was given: every handler and parser of the line reads that one.
    std::unique_ptr<CPPNotificationInfo> dispatchNotificationTable(const std::string& line,
                                                                   const CPPConnectionSettings& settings);

    // Parsers, one per handler of the pattern table; matches holds the row's 7 match entries.
    // Those that move a party take the line's profile.
    std::unique_ptr<CPPNotificationInfo> parseRegStatus(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseCfwStatus(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseDisplayName(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseActiveParties(const std::string& line,
                                                            const regmatch_t* matches,
                                                            const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseStateChange(const std::string& line, const regmatch_t* matches,
                                                          const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseMessage(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseCfwActivationError(const std::string& line,
                                                                 const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseErrInfo(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseDndStatus(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseRedial(const std::string& line, const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseTelcoKeyCall(const std::string& line, const regmatch_t* matches,
                                                           const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseTelcoDigitReleased(const std::string& line,
                                                                 const regmatch_t* matches,
                                                                 const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseRing(const std::string& line, const regmatch_t* matches,
                                                   const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseIncomingCall(const std::string& line, const regmatch_t* matches,
                                                           const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseHookNotification(const std::string& line,
                                                               const regmatch_t* matches,
                                                               const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseCallDuration(const std::string& line, const regmatch_t* matches,
                                                           const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseCallerId(const std::string& line, const regmatch_t* matches,
                                                       const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseInquireHook(const std::string& line, const regmatch_t* matches,
                                                          const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseOffHookDuration(const std::string& line,
                                                              const regmatch_t* matches);
    std::unique_ptr<CPPNotificationInfo> parseDirection(const std::string& line, const regmatch_t* matches,
                                                        const CPPConnectionSettings& settings);
    std::unique_ptr<CPPNotificationInfo> parseDigitsDialedSinceOffHook(const std::string& line,
                                                                       const regmatch_t* matches,
                                                                       const CPPConnectionSettings& settings);

private:
    // The text of one match entry of the line; "" for a group that took no part.
    static std::string groupText(const std::string& line, const regmatch_t* matches, size_t group);
    // Stores the forwarding number and user part from a message's target field.
    static void storeForwardingTarget(const std::string& target);
    // A record the core makes itself: CommandType::CORE, no endpoint, no origin line.
    static std::unique_ptr<CPPNotificationInfo> makeOwnRecord(int32_t notificationType, const std::string& pn,
                                                              const std::string& payload);
    static bool isAvailabilityWord(const std::string& word);
    // A record parsed from a received line: CommandType::RECEIVED, epn group 1, originCmd the line.
    static std::unique_ptr<CPPNotificationInfo>
    makeParsedRecord(int32_t notificationType, int32_t endPointType, const std::string& line,
                     const regmatch_t* matches, const std::string& bn, const std::string& pn,
                     const std::string& payload);
    std::unique_ptr<CPPNotificationInfo> processMuteStage(const std::string& line,
                                                          const CPPConnectionSettings& settings);
    // Null pointer with handled false when no volume pattern took the line.
    std::unique_ptr<CPPNotificationInfo>
    processVolumeStage(const std::string& line, const CPPConnectionSettings& settings, bool& handled);
};

// Runs a POSIX extended pattern over text; on a match, groups (when given) receives entry 0
// and the following groups, up to groupCount entries, stopping at the first unset one.
bool matchRegex(const std::string& pattern, const std::string& text, size_t groupCount,
                std::vector<std::string>* groups);
// As matchRegex, but the pieces are cut from source at the offsets matched in text.
bool matchRegexWithSource(const std::string& pattern, const std::string& text, const std::string& source,
                          size_t groupCount, std::vector<std::string>* groups);
