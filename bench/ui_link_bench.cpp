// The real window on a live Telnet link to the fake box (127.0.0.1), offscreen:
// - latency: 2,000 mixed box lines, each stamped when the box sends it, and stamped again by
//   the last observer of the relay, after every handler ran and the window repainted; p50/p99;
// - idle: the CPU the open window and the live link take over 30 s with nothing happening.
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/shell/ToolbarController.h"
#include "LargeStore.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "UiBenchSupport.h"
#include "support/fakebox/FakeBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <any>
#include <chrono>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int lineCount = 2000;
constexpr int idleSeconds = 30;

using UiBench::pumpUntil;

// One logged-in window for both measurements.
struct LiveWindow {
    LiveWindow() {
        dataHome = UiBench::makeDataHome();
        program = std::make_unique<UiBench::Program>();
        program->delegate->applicationDidFinishLaunching();
        box = std::make_unique<fakebox::FakeBox>();
        Observe("notification", &context, [this](const Platform::NotificationCenter::Notification& posted) {
            const auto record = NotificationRelay::recordOf(posted);
            if (record == nullptr) {
                return;
            }
            if (record->pnStr() == "LOGIN_SUCCESS") {
                loggedIn = true;
            }
            // Last of the relay's observers: every screen has handled the record; the window
            // shows it before the stamp.
            program->delegate->window()->repaint();
            lastLine = record->originCmdStr();
            lastStamp = Clock::now();
        });
        ConnectionSettings profile = LargeStore::benchProfile(box->port(), false);
        ConnectionSettingsManager::addConnectionSettings(profile);
        TessmarkDialerCore::deviceCommunication().connect(profile);
        ready = pumpUntil([this] { return loggedIn; }, 10000);
        // Let the post-login answers settle.
        UiBench::pumpFor(500);
    }
    ~LiveWindow() {
        program.reset();
        box.reset();
        UiBench::removeFolder(dataHome);
    }
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    std::string dataHome;
    std::unique_ptr<UiBench::Program> program;
    std::unique_ptr<fakebox::FakeBox> box;
    QObject context;
    bool loggedIn = false;
    bool ready = false;
    std::string lastLine;
    Clock::time_point lastStamp;
};

LiveWindow* g_window = nullptr;

// Lines that each change something the screens show, so each one makes a record that names
// its line: display names for the toolbar, calls coming, going and held for the routing and the
// active-call screen.
std::string mixedLine(int index) {
    const std::string prefix = "EP UA 1 ";
    static const char* const partyThree[] = {"INCOMING:301", "ACTIVE:301:0:0", "HOLD:301:1:0", "IDLE"};
    switch (index % 4) {
    case 0:
        return prefix + "SETTINGS DISPLAY_NAME DESK " + std::to_string(index);
    case 1:
        return prefix + "NOTIFICATION STATE_CHANGE PL 2;" + (index % 8 == 1 ? "INCOMING:202" : "IDLE");
    case 2:
        return prefix + "NOTIFICATION STATE_CHANGE PL 3;" + partyThree[(index / 4) % 4];
    default:
        return prefix + "SETTINGS DISPLAY_NAME ROOM " + std::to_string(index);
    }
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[index];
}

void BoxLineToScreen(benchmark::State& state) {
    if (!g_window->ready) {
        state.SkipWithError("no login at the fake box");
        return;
    }
    std::vector<double> latencies;
    int lost = 0;
    for (auto _ : state) {
        latencies.clear();
        for (int index = 0; index < lineCount; ++index) {
            const std::string line = mixedLine(index);
            g_window->lastLine.clear();
            const Clock::time_point sent = Clock::now();
            g_window->box->send(line + "\r\n");
            if (!pumpUntil([&line] { return g_window->lastLine == line; }, 2000)) {
                ++lost;
                continue;
            }
            latencies.push_back(
                std::chrono::duration<double, std::milli>(g_window->lastStamp - sent).count());
        }
    }
    state.counters["p50_ms"] = percentile(latencies, 0.50);
    state.counters["p99_ms"] = percentile(latencies, 0.99);
    state.counters["max_ms"] = percentile(latencies, 1.0);
    state.counters["lines"] = static_cast<double>(latencies.size());
    state.counters["lost"] = lost;
}
BENCHMARK(BoxLineToScreen)->Iterations(1)->Unit(benchmark::kMillisecond);

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void IdleWindowOnALiveLink(benchmark::State& state) {
    if (!g_window->ready) {
        state.SkipWithError("no login at the fake box");
        return;
    }
    double share = 0;
    for (auto _ : state) {
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTimer::singleShot(idleSeconds * 1000, qApp, &QCoreApplication::quit);
        QApplication::exec();
        share = (cpuSeconds() - before) / (static_cast<double>(wall.elapsed()) / 1000.0);
    }
    state.counters["cpu_percent_of_a_core"] = share * 100.0;
}
BENCHMARK(IdleWindowOnALiveLink)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    LiveWindow window;
    g_window = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window = nullptr;
    return 0;
}
