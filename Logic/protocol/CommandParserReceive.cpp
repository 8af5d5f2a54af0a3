#include "Logic/protocol/CommandParser.h"

#include "Logic/common/Conversions.h"
#include "Logic/common/Utf8.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "Logic/profiles/CPPMuteCommand.h"
#include "Logic/protocol/CPPNotificationPattern.h"
#include "Logic/protocol/CompiledPattern.h"
#include "Platform/Log.h"

#include <array>

namespace {

constexpr std::string_view LINE_END = "\r\n";
constexpr std::string_view PROMPT = "=>";

// The fixed volume reports, compiled once. A speaker group's reply names the group; without
// one the RAMP report carries one more field.
struct VolumePatterns {
    CompiledPattern groupRamp{"RAMP (.*) (.*) (.*)"};
    CompiledPattern levelGain{"EP (.*) LEVEL GAIN (.*)"};
    CompiledPattern levelLimit{"EP (.*) LEVEL (.*)_GAIN (.*)"};
    CompiledPattern ramp{"RAMP (.*) (.*) (.*) (.*)"};
};

const VolumePatterns& volumePatterns() {
    static const VolumePatterns* const patterns = new VolumePatterns();
    return *patterns;
}

std::string upperCased(std::string text) {
    ::toUpperInPlace(text);
    return text;
}

} // namespace

bool matchRegex(const std::string& pattern, const std::string& text, size_t groupCount,
                std::vector<std::string>* groups) {
    return CompiledPattern(pattern).match(text, text, groupCount, groups);
}

bool matchRegexWithSource(const std::string& pattern, const std::string& text, const std::string& source,
                          size_t groupCount, std::vector<std::string>* groups) {
    return CompiledPattern(pattern).match(text, source, groupCount, groups);
}

std::string CommandParser::trimSpaces(const std::string& text) {
    return ::trimSpaces(text);
}

void CommandParser::toUpperInPlace(std::string& text) {
    ::toUpperInPlace(text);
}

int32_t CommandParser::splitReceivedLines(const std::string& data, std::vector<std::string>& lines,
                                          std::string& rest) {
    if (data.empty())
        return -1;
    // Each terminator's next position is looked up only once the scan has passed it, so a
    // long run of lines costs one pass whatever their mix of terminators.
    size_t position = 0;
    size_t nextLineEnd = data.find(LINE_END);
    size_t nextPrompt = data.find(PROMPT);
    while (position < data.size()) {
        if (nextLineEnd != std::string::npos && nextLineEnd < position)
            nextLineEnd = data.find(LINE_END, position);
        if (nextPrompt != std::string::npos && nextPrompt < position)
            nextPrompt = data.find(PROMPT, position);
        const size_t cut = std::min(nextLineEnd, nextPrompt);
        if (cut == std::string::npos)
            break;
        std::string line = ::trimSpaces(data.substr(position, cut - position));
        ::toUpperInPlace(line);
        position = cut + 2;
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    rest = data.substr(position);
    if (rest.size() > MAX_RECEIVED_TAIL_BYTES) {
        Platform::Log::out("Dropped " + toString(static_cast<int32_t>(rest.size())) +
                           " received bytes without a line end");
        rest.clear();
    }
    return 0;
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::processReceivedLine(std::string line, const CPPConnectionSettings* settings) {
    if (settings == nullptr)
        return nullptr;
    // Everything after this point (parties, records, the call log) holds UTF-8 text.
    line = toValidUtf8(std::move(line));
    ::toUpperInPlace(line);
    if (auto mute = processMuteStage(line, *settings))
        return mute;
    bool handled = false;
    auto volume = processVolumeStage(line, *settings, handled);
    if (handled)
        return volume;
    if (!settings->matchesEndpoint(line))
        return nullptr;
    return dispatchNotificationTable(line, *settings);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::processMuteStage(const std::string& line,
                                                                     const CPPConnectionSettings& settings) {
    std::string active;
    std::string inactive;
    if (settings.usesMicrophoneGroup()) {
        const std::string group = "EP " + settings.getMicrophoneGroupName() + " LEVEL MUTE ";
        active = upperCased(group + "1");
        inactive = upperCased(group + "0");
    } else {
        // Read afresh for every line, so an edited mute command counts from the next line on.
        const CPPMuteCommand command =
            CPPConnectionSettingsManager::getInstance().getMuteCommand(settings.getId());
        active = upperCased(command.getActiveNotificationFormat());
        inactive = upperCased(command.getInactiveNotificationFormat());
    }
    // An empty format means the profile has none; it must not take an empty message.
    if (!active.empty() && line == active)
        return makeMuteNotification(true, line);
    if (!inactive.empty() && line == inactive)
        return makeMuteNotification(false, line);
    return nullptr;
}

std::unique_ptr<CPPNotificationInfo> CommandParser::processVolumeStage(const std::string& line,
                                                                       const CPPConnectionSettings& settings,
                                                                       bool& handled) {
    const VolumePatterns& patterns = volumePatterns();
    std::vector<std::string> groups;
    const auto matches = [&](const CompiledPattern& pattern, size_t count) {
        groups.clear();
        const bool matched = pattern.match(line, line, count, &groups);
        groups.resize(count);
        return matched;
    };
    handled = true;
    if (settings.usesSpeakerGroup()) {
        // The first report that matches decides; one for another group is dropped here.
        std::string kind = "SLIDER_POSITION";
        std::string value;
        if (matches(patterns.groupRamp, 4) || matches(patterns.levelGain, 3)) {
            value = groups[2];
        } else if (matches(patterns.levelLimit, 4)) {
            kind = groups[2] + "_VALUE";
            value = groups[3];
        } else {
            handled = false;
            return nullptr;
        }
        if (groups[1] != upperCased(settings.getSpeakerGroupName()))
            return nullptr;
        return makeVolumeNotification(kind, value, line);
    }
    if (matches(patterns.ramp, 5))
        return makeVolumeNotification("SLIDER_POSITION", groups[3], line);
    if (matches(patterns.levelGain, 3))
        return makeVolumeNotification("SLIDER_POSITION", groups[2], line);
    if (matches(patterns.levelLimit, 4))
        return makeVolumeNotification(groups[2] + "_VALUE", groups[3], line);
    // The profile's own formats are literal text, compiled per line: only the first "*" of
    // the notification format, and the value after the query command, are patterns.
    const std::string format = upperCased(settings.getNotification());
    const size_t star = format.find('*');
    if (star != std::string::npos) {
        const std::string pattern = CompiledPattern::literal(format.substr(0, star)) + "(.*)" +
                                    CompiledPattern::literal(format.substr(star + 1));
        if (matches(CompiledPattern(pattern), 2))
            return makeVolumeNotification("SLIDER_POSITION", groups[1], line);
    }
    const std::string query = settings.getQueryVolumeCommand();
    if (!query.empty() && matches(CompiledPattern(CompiledPattern::literal(upperCased(query)) + " (.*)"), 2))
        return makeVolumeNotification("SLIDER_POSITION", groups[1], line);
    handled = false;
    return nullptr;
}

std::unique_ptr<CPPNotificationInfo>
CommandParser::dispatchNotificationTable(const std::string& line, const CPPConnectionSettings& settings) {
    std::array<regmatch_t, NOTIFICATION_MATCH_COUNT> matches{};
    for (size_t row = 0; NOTIFICATION_PATTERN_TABLE[row].handler != NOTIFICATION_END_HANDLER; ++row) {
        const CompiledPattern& pattern = compiledNotificationPattern(row);
        // A row that could not be compiled ends the walk, as a failed compile always has.
        if (!pattern.isValid())
            return nullptr;
        matches.fill(regmatch_t{-1, -1});
        if (pattern.execute(line, matches.size(), matches.data()))
            return NOTIFICATION_HANDLER_TABLE[NOTIFICATION_PATTERN_TABLE[row].handler](
                *this, line, matches.data(), settings);
    }
    return nullptr;
}

std::string CommandParser::groupText(const std::string& line, const regmatch_t* matches, size_t group) {
    const regmatch_t& entry = matches[group];
    if (entry.rm_so < 0)
        return "";
    return line.substr(static_cast<size_t>(entry.rm_so), static_cast<size_t>(entry.rm_eo - entry.rm_so));
}
