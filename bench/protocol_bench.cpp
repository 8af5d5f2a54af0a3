// Received lines per second through the line processor, against a baseline that compiles
// every pattern it tries for every line; and the cost of one 64 KiB line without a prompt.

#include "Logic/call/CPPLine.h"
#include "Logic/common/Conversions.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/protocol/CPPNotificationPattern.h"
#include "Logic/protocol/CommandParser.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"

#include <benchmark/benchmark.h>

#include <regex.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// One call on a VoIP endpoint as the box reports it, with the status answers, Telco lines the
// gate drops, lines for other endpoints and lines nothing takes.
const std::vector<std::string> SESSION = {
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE",
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;DIALING:5551234",
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;RINGING:5551234",
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;ACTIVE:5551234:0:0",
    "EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES ACTIVE:5551234:12:0;IDLE;IDLE;IDLE;IDLE;",
    "EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY",
    "EP UA 1 INQUIRE_RESULT CFW_STATUS INACTIVE",
    "EP UA 1 SETTINGS DISPLAY_NAME LOBBY",
    "EP UA 2 NOTIFICATION STATE_CHANGE PL 1;IDLE",
    "EP TELCO_RX 5 NOTIFICATION RING 1",
    "EP UA 1 NOTIFICATION HOOK 1",
    "EP UA 1 INQUIRE_RESULT DND_STATUS DND_NOT_SET",
    "EP UA 1 NOTIFICATION LINK_DOWN",
    "EP UA 1 LEVEL GAIN 3",
    "EP UA 1 KEY KEY_REDIAL",
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;IDLE",
    "HELLO BOX",
    "EP UA 1 INQUIRE_RESULT REG_STATUS NOT_REGISTERED",
    "EP 20 1 4 1 PL 2;INCOMING:\"ANN\" <SIP:201@PBX>",
    "EP UA 1 KEY KEY_REDIAL 201",
    "EP UA 1 NOTIFICATION STATE_CHANGE PL 2;IDLE",
};

// A temporary store with the tables the receive path reads and writes, and the device object
// holding a serial VoIP profile without a serial side (sends go nowhere, silently).
class Environment {
public:
    Environment() {
        char folderTemplate[] = "/tmp/protocol-bench-XXXXXX";
        m_folder = mkdtemp(folderTemplate);
        CPPDatabase::getInstance().open(m_folder + "/bench.sqlite3");
        CPPContactTable::getInstance().createTable();
        CPPContactNumberTable::getInstance().createTable();
        CPPCallLogTable::getInstance().createTable();
        CPPPreferencesSettingsTable::getInstance().createTable();
        CPPMuteCommandTable::getInstance().createTable();
        CPPConnectionSettings settings;
        settings.setId(1);
        settings.setPhoneType(PhoneType::VOIP);
        settings.setTelcoVoIPEPN("1");
        settings.setConnectionType(ConnectionType::SERIAL);
        settings.setUsesSpeakerGroup(false);
        settings.setUsesMicrophoneGroup(false);
        m_stored = std::make_shared<const CPPConnectionSettings>(settings);
        settings.setUsesSpeakerGroup(true);
        settings.setSpeakerGroupName("Spk");
        settings.setUsesMicrophoneGroup(true);
        settings.setMicrophoneGroupName("Mic");
        m_groups = std::make_shared<const CPPConnectionSettings>(settings);
        CPPLine::getInstance().reset(true);
    }
    ~Environment() {
        delete DeviceCommunication::getInstance();
        CPPDatabase::getInstance().close();
        std::filesystem::remove_all(m_folder);
    }

    // Makes a profile current: with stored mute texts (one read of the store per line), or
    // with speaker and microphone groups (no read).
    const CPPConnectionSettings* use(bool groups) {
        const std::shared_ptr<const CPPConnectionSettings>& settings = groups ? m_groups : m_stored;
        DeviceCommunication::getInstance()->setCurrentConnectionSettings(settings);
        return settings.get();
    }

private:
    std::string m_folder;
    std::shared_ptr<const CPPConnectionSettings> m_stored;
    std::shared_ptr<const CPPConnectionSettings> m_groups;
};

Environment& environment() {
    static Environment* const instance = new Environment();
    return *instance;
}

// The baseline: the same stages, but every pattern is compiled when it is tried and freed
// after, the way the processor worked before the table was compiled once.
bool baselineMatch(const char* pattern, const std::string& line, size_t count,
                   std::vector<std::string>& groups) {
    regex_t regex;
    if (regcomp(&regex, pattern, REG_EXTENDED) != 0)
        return false;
    std::array<regmatch_t, 7> matches{};
    const bool matched = regexec(&regex, line.c_str(), count, matches.data(), 0) == 0;
    regfree(&regex);
    groups.clear();
    for (size_t index = 0; matched && index < count && matches[index].rm_so >= 0; ++index)
        groups.push_back(line.substr(static_cast<size_t>(matches[index].rm_so),
                                     static_cast<size_t>(matches[index].rm_eo - matches[index].rm_so)));
    groups.resize(count);
    return matched;
}

std::unique_ptr<CPPNotificationInfo> baselineDispatch(CommandParser& parser, const std::string& line,
                                                      const CPPConnectionSettings& settings) {
    for (size_t row = 0; NOTIFICATION_PATTERN_TABLE[row].handler != NOTIFICATION_END_HANDLER; ++row) {
        regex_t regex;
        if (regcomp(&regex, NOTIFICATION_PATTERN_TABLE[row].regex, REG_EXTENDED) != 0)
            return nullptr;
        std::array<regmatch_t, NOTIFICATION_MATCH_COUNT> matches{};
        const bool matched = regexec(&regex, line.c_str(), matches.size(), matches.data(), 0) == 0;
        regfree(&regex);
        if (matched)
            return NOTIFICATION_HANDLER_TABLE[NOTIFICATION_PATTERN_TABLE[row].handler](
                parser, line, matches.data(), settings);
    }
    return nullptr;
}

std::string upperCased(std::string text) {
    toUpperInPlace(text);
    return text;
}

std::unique_ptr<CPPNotificationInfo> baselineProcess(CommandParser& parser, std::string line,
                                                     const CPPConnectionSettings* settings) {
    toUpperInPlace(line);
    std::string active;
    std::string inactive;
    if (settings->usesMicrophoneGroup()) {
        active = upperCased("EP " + settings->getMicrophoneGroupName() + " LEVEL MUTE 1");
        inactive = upperCased("EP " + settings->getMicrophoneGroupName() + " LEVEL MUTE 0");
    } else {
        const CPPMuteCommand mute =
            CPPConnectionSettingsManager::getInstance().getMuteCommand(settings->getId());
        active = upperCased(mute.getActiveNotificationFormat());
        inactive = upperCased(mute.getInactiveNotificationFormat());
    }
    if (!active.empty() && line == active)
        return parser.makeMuteNotification(true, line);
    if (!inactive.empty() && line == inactive)
        return parser.makeMuteNotification(false, line);
    std::vector<std::string> groups;
    if (settings->usesSpeakerGroup()) {
        std::string kind = "SLIDER_POSITION";
        std::string value;
        if (baselineMatch("RAMP (.*) (.*) (.*)", line, 4, groups) ||
            baselineMatch("EP (.*) LEVEL GAIN (.*)", line, 3, groups)) {
            value = groups[2];
        } else if (baselineMatch("EP (.*) LEVEL (.*)_GAIN (.*)", line, 4, groups)) {
            kind = groups[2] + "_VALUE";
            value = groups[3];
        } else {
            return settings->matchesEndpoint(line) ? baselineDispatch(parser, line, *settings) : nullptr;
        }
        if (groups[1] != upperCased(settings->getSpeakerGroupName()))
            return nullptr;
        return parser.makeVolumeNotification(kind, value, line);
    }
    if (baselineMatch("RAMP (.*) (.*) (.*) (.*)", line, 5, groups))
        return parser.makeVolumeNotification("SLIDER_POSITION", groups[3], line);
    if (baselineMatch("EP (.*) LEVEL GAIN (.*)", line, 3, groups))
        return parser.makeVolumeNotification("SLIDER_POSITION", groups[2], line);
    if (baselineMatch("EP (.*) LEVEL (.*)_GAIN (.*)", line, 4, groups))
        return parser.makeVolumeNotification(groups[2] + "_VALUE", groups[3], line);
    if (!settings->matchesEndpoint(line))
        return nullptr;
    return baselineDispatch(parser, line, *settings);
}

void runSession(benchmark::State& state, bool groups, bool baseline) {
    const CPPConnectionSettings* settings = environment().use(groups);
    CommandParser parser;
    for (auto _ : state) {
        for (const std::string& line : SESSION) {
            auto record = baseline ? baselineProcess(parser, line, settings)
                                   : parser.processReceivedLine(line, settings);
            benchmark::DoNotOptimize(record);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(SESSION.size()));
}

void BM_SessionCompiledOnce(benchmark::State& state) {
    runSession(state, false, false);
}
BENCHMARK(BM_SessionCompiledOnce);

void BM_SessionCompiledPerLine(benchmark::State& state) {
    runSession(state, false, true);
}
BENCHMARK(BM_SessionCompiledPerLine);

void BM_GroupSessionCompiledOnce(benchmark::State& state) {
    runSession(state, true, false);
}
BENCHMARK(BM_GroupSessionCompiledOnce);

void BM_GroupSessionCompiledPerLine(benchmark::State& state) {
    runSession(state, true, true);
}
BENCHMARK(BM_GroupSessionCompiledPerLine);

void runLine(benchmark::State& state, const std::string& line) {
    const CPPConnectionSettings* settings = environment().use(false);
    CommandParser parser;
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.processReceivedLine(line, settings));
    state.SetItemsProcessed(state.iterations());
}

// Registration repeats, so after the first pass no record is made: the cost is the walk.
void BM_EarlyRowLine(benchmark::State& state) {
    runLine(state, "EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY");
}
BENCHMARK(BM_EarlyRowLine);

void BM_LateRowLine(benchmark::State& state) {
    runLine(state, "EP UA 1 KEY KEY_REDIAL");
}
BENCHMARK(BM_LateRowLine);

void BM_UnmatchedLine(benchmark::State& state) {
    runLine(state, "EP UA 1 NOTIFICATION LINK_DOWN");
}
BENCHMARK(BM_UnmatchedLine);

// 64 KiB received without a prompt, ended by a line end: cut by the splitter, then processed.
// Each shape provokes the matcher differently: a long group, many candidate starts, many
// separators for the groups to choose between.
struct LongLine {
    const char* name;
    const char* head;
    const char* filler;
};

const std::vector<LongLine> LONG_LINES = {
    {"LongLine/Name", "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"", "NAME "},
    {"LongLine/Semicolons", "EP UA 1 NOTIFICATION STATE_CHANGE PL 1;", "A;"},
    {"LongLine/Parties", "EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES ", ";"},
    {"LongLine/Message", "EP UA 1 NOTIFICATION MESSAGE CALL_FORWARD_ACTIVATION;CFW-BUSY;", "SIP:1@H;"},
    {"LongLine/ManyStarts", "X INQUIRE_RESULT REG_STATUS EP UA 1 ", "EP UA 1 "},
    {"LongLine/ManyFields", "EP UA 1 ", "EP UA 1 NOTIFICATION ;"},
    {"LongLine/Ramp", "RAMP ", "A "},
    {"LongLine/Gain", "EP UA 1 ", "EP X LEVEL MAX_GAIN "},
};

void runLongLine(benchmark::State& state, const LongLine& shape) {
    std::string data = shape.head;
    while (data.size() < CommandParser::MAX_RECEIVED_TAIL_BYTES)
        data += shape.filler;
    data += "\r\n";
    const CPPConnectionSettings* settings = environment().use(false);
    CommandParser parser;
    for (auto _ : state) {
        std::vector<std::string> lines;
        std::string rest;
        parser.splitReceivedLines(data, lines, rest);
        for (const std::string& line : lines)
            benchmark::DoNotOptimize(parser.processReceivedLine(line, settings));
    }
}

// Prints the speed-up of the session next to the usual table.
class SpeedupReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            m_nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        printSpeedup("stored mute texts", "BM_SessionCompiledOnce", "BM_SessionCompiledPerLine");
        printSpeedup("groups", "BM_GroupSessionCompiledOnce", "BM_GroupSessionCompiledPerLine");
        double slowest = 0;
        for (const auto& [name, milliseconds] : m_nanoseconds) {
            if (name.rfind("LongLine/", 0) == 0)
                slowest = std::max(slowest, milliseconds);
        }
        std::printf("64 KiB line without a prompt: slowest shape %.2f ms (goal < 20 ms)\n", slowest);
    }

private:
    void printSpeedup(const char* profile, const std::string& compiledName,
                      const std::string& baselineName) const {
        const auto compiled = m_nanoseconds.find(compiledName);
        const auto baseline = m_nanoseconds.find(baselineName);
        if (compiled == m_nanoseconds.end() || baseline == m_nanoseconds.end() || compiled->second <= 0)
            return;
        const double lines = static_cast<double>(SESSION.size());
        std::printf("session, profile with %s: %.0f lines/s compiled once, %.0f lines/s compiled per line, "
                    "speed-up %.1fx (goal >= 20x)\n",
                    profile, lines * 1e9 / compiled->second, lines * 1e9 / baseline->second,
                    baseline->second / compiled->second);
    }

    std::map<std::string, double> m_nanoseconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    environment();
    for (const LongLine& shape : LONG_LINES) {
        benchmark::RegisterBenchmark(shape.name, [&shape](benchmark::State& state) {
            runLongLine(state, shape);
        })->Unit(benchmark::kMillisecond);
    }
    SpeedupReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
