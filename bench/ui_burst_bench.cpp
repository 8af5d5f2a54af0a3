// A burst of 20,000 valid box lines, sent at once by the fake box over a live Telnet link into
// the real window offscreen, once on each tab, over the store of the start-up benchmark:
// - the longest any event waited while the burst was handled (a 5 ms probe timer's lateness),
//   and the frames painted meanwhile;
// - from the last line's record leaving the core to the window idle (its last record handled
//   and its last screen refresh done);
// - whether every record reached the window, in the order the core made them, and the call
//   log rows written against the calls that ended;
// - the peak resident size during the bursts.
#include "App/NotificationRelay.h"
#include "App/Observe.h"
#include "App/shell/TabBarController.h"
#include "LargeStore.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/NotificationInfoObject.h"
#include "Logic/database/CPPDatabase.h"
#include "Platform/Log.h"
#include "UiBenchSupport.h"
#include "support/fakebox/FakeBox.h"

#include <QApplication>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int burstLines = 20000;
constexpr int callLogRows = 10000;
constexpr double eventDelayTargetMs = 100;
constexpr double idleTargetMs = 1000;
constexpr double peakTargetMb = 100;
constexpr auto probeInterval = std::chrono::milliseconds(5);

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

using UiBench::pumpFor;
using UiBench::pumpUntil;

// Lines that each change what the screens show: display names for the toolbar, calls on
// parties 2 and 3 from numbers of the phone book that ring, are taken, held and end.
std::string burstLine(int index) {
    const std::string prefix = "EP UA 1 ";
    const std::string caller = LargeStore::numberOf(index % LargeStore::contactCount, 0);
    switch (index % 4) {
    case 0:
        return prefix + "SETTINGS DISPLAY_NAME DESK " + std::to_string(index);
    case 1:
        return prefix + "NOTIFICATION STATE_CHANGE PL 2;" + (index % 8 == 1 ? "INCOMING:" + caller : "IDLE");
    case 2: {
        const std::string states[] = {"INCOMING:" + caller, "ACTIVE:" + caller + ":0:0",
                                      "HOLD:" + caller + ":1:0", "IDLE"};
        return prefix + "NOTIFICATION STATE_CHANGE PL 3;" + states[(index / 4) % 4];
    }
    default:
        return prefix + "SETTINGS DISPLAY_NAME ROOM " + std::to_string(index);
    }
}

int storedCallLogRows() {
    Rows rows;
    if (!CPPDatabase::getInstance().execute("select count(*) as n from CallLog", &rows) || rows.empty()) {
        return -1;
    }
    return std::stoi(rows.front()["n"]);
}

// Forgets the peak resident size so far, so the next reading is the peak from now on.
void resetPeakResident() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

struct BurstFigures {
    double longestEventWaitMs = 0;
    int frames = 0;
    double idleAfterLastLineMs = -1;
    bool inOrder = false;
    int records = 0;
    int callsEnded = 0;
    int callLogRowsWritten = 0;
};

// One logged-in window for every burst; it watches the records where the core makes them and
// where the window's last observer hears them.
class LiveWindow final : public QObject {
public:
    LiveWindow() {
        dataHome = UiBench::makeDataHome();
        program = std::make_unique<UiBench::Program>();
        TessmarkDialerCore::open();
        LargeStore::fill(callLogRows);
        TessmarkDialerCore::close();
        program->delegate->applicationDidFinishLaunching();
        m_madeToken = Platform::NotificationCenter::defaultCenter().addObserver(
            NotificationRelay::notificationName, nullptr, [this](const auto& posted) {
                if (const auto record = NotificationRelay::recordOf(posted)) {
                    std::lock_guard lock(m_madeMutex);
                    m_made.push_back(record->originCmdStr());
                    m_lastMadeAt = Clock::now();
                }
            });
        Observe(NotificationRelay::notificationName, this, [this](const auto& posted) {
            if (const auto record = NotificationRelay::recordOf(posted)) {
                if (record->pnStr() == "LOGIN_SUCCESS") {
                    loggedIn = true;
                }
                m_heard.push_back(record->originCmdStr());
                m_lastHeardAt = Clock::now();
            }
        });
        program->delegate->window()->installEventFilter(this);
        ConnectionSettings profile = LargeStore::benchProfile(box.port(), false);
        ConnectionSettingsManager::addConnectionSettings(profile);
        TessmarkDialerCore::deviceCommunication().connect(profile);
        ready = pumpUntil([this] { return loggedIn; }, 20000);
        pumpFor(500);
    }
    ~LiveWindow() override {
        Platform::NotificationCenter::defaultCenter().removeObserver(m_madeToken);
        program.reset();
        UiBench::removeFolder(dataHome);
    }
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    BurstFigures burstOn(TabBarController::Tab tab) {
        // Every party idle and every screen settled before the burst.
        box.send(
            "EP UA 1 NOTIFICATION STATE_CHANGE PL 2;IDLE\r\nEP UA 1 NOTIFICATION STATE_CHANGE PL 3;IDLE\r\n");
        TabBarController* tabs = program->delegate->tabBarController();
        tabs->bottomButtonClicked(tabs->button(tab));
        pumpFor(1000);
        {
            std::lock_guard lock(m_madeMutex);
            m_made.clear();
        }
        m_heard.clear();
        const int rowsBefore = storedCallLogRows();

        std::string burst;
        for (int index = 0; index < burstLines; ++index) {
            burst += burstLine(index) + "\r\n";
        }
        BurstFigures figures;
        Clock::time_point lastBusyAt = Clock::now();
        Clock::time_point expected = Clock::now() + probeInterval;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(probeInterval);
        connect(&probe, &QTimer::timeout, this, [&] {
            const Clock::time_point now = Clock::now();
            const double late = milliseconds(now - expected);
            figures.longestEventWaitMs = std::max(figures.longestEventWaitMs, late);
            // A late probe means the loop was busy until now.
            if (late > 10) {
                lastBusyAt = now;
            }
            expected = now + probeInterval;
            program->delegate->window()->update();
        });
        m_paints = 0;
        probe.start();
        expected = Clock::now() + probeInterval;
        box.send(burst);
        // Done when the core made no record for a while and the window heard all it made.
        auto quietSince = [this] {
            std::lock_guard lock(m_madeMutex);
            return m_made.size() == m_heard.size() && !m_made.empty() ? Clock::now() - m_lastMadeAt
                                                                      : Clock::duration::zero();
        };
        pumpUntil([&] { return quietSince() > std::chrono::milliseconds(1500); }, 120000);
        probe.stop();
        figures.frames = m_paints;

        std::lock_guard lock(m_madeMutex);
        figures.records = static_cast<int>(m_heard.size());
        figures.inOrder = m_heard == m_made;
        figures.idleAfterLastLineMs = milliseconds(std::max(lastBusyAt, m_lastHeardAt) - m_lastMadeAt);
        figures.callsEnded =
            static_cast<int>(std::count_if(m_made.begin(), m_made.end(), [](const std::string& line) {
                return line.size() > 5 && line.compare(line.size() - 5, 5, ";IDLE") == 0;
            }));
        figures.callLogRowsWritten = storedCallLogRows() - rowsBefore;
        return figures;
    }

    std::string dataHome;
    std::unique_ptr<UiBench::Program> program;
    fakebox::FakeBox box;
    bool loggedIn = false;
    bool ready = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_paints;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Platform::NotificationCenter::ObserverToken m_madeToken = 0;
    std::mutex m_madeMutex;
    std::vector<std::string> m_made;
    Clock::time_point m_lastMadeAt;
    std::vector<std::string> m_heard;
    Clock::time_point m_lastHeardAt;
    int m_paints = 0;
};

class DiscardingSink final : public Platform::LogSink {
public:
    void write(const std::string&) override {}
};

LiveWindow* g_window = nullptr;
double g_peakMb = 0;
double g_worstWaitMs = 0;
double g_worstIdleMs = 0;
bool g_allDelivered = true;
bool g_allRowsWritten = true;

void BurstOnTab(benchmark::State& state) {
    if (!g_window->ready) {
        state.SkipWithError("no login at the fake box");
        return;
    }
    const auto tab = static_cast<TabBarController::Tab>(state.range(0));
    resetPeakResident();
    BurstFigures figures;
    for (auto _ : state) {
        figures = g_window->burstOn(tab);
    }
    state.counters["longest_event_wait_ms"] = figures.longestEventWaitMs;
    state.counters["idle_after_last_line_ms"] = figures.idleAfterLastLineMs;
    state.counters["frames"] = figures.frames;
    state.counters["records"] = figures.records;
    state.counters["in_order"] = figures.inOrder ? 1 : 0;
    state.counters["calls_ended"] = figures.callsEnded;
    state.counters["call_log_rows"] = figures.callLogRowsWritten;
    const double peakMb = static_cast<double>(UiBench::peakResidentKilobytes()) / 1024.0;
    state.counters["VmHWM_MB"] = peakMb;
    g_peakMb = std::max(g_peakMb, peakMb);
    g_worstWaitMs = std::max(g_worstWaitMs, figures.longestEventWaitMs);
    g_worstIdleMs = std::max(g_worstIdleMs, figures.idleAfterLastLineMs);
    g_allDelivered = g_allDelivered && figures.inOrder && figures.records > 0;
    g_allRowsWritten = g_allRowsWritten && figures.callLogRowsWritten == figures.callsEnded;
}
BENCHMARK(BurstOnTab)
    ->ArgName("tab")
    ->DenseRange(TabBarController::Favorites, TabBarController::Settings)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // The toolbar logs every record and the box's telnet sends: 100,000 lines would bury the
    // figures.
    DiscardingSink discard;
    Platform::Log::setOutSink(&discard);
    Platform::Log::setErrSink(&discard);
    {
        LiveWindow window;
        g_window = &window;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        g_window = nullptr;
    }
    Platform::Log::setOutSink(nullptr);
    Platform::Log::setErrSink(nullptr);
    std::printf("A burst of %d box lines on each tab (worst tab):\n", burstLines);
    std::printf("  %-55s %10.1f ms  (target < %g ms: %s)\n", "longest wait of an event", g_worstWaitMs,
                eventDelayTargetMs, verdict(g_worstWaitMs < eventDelayTargetMs));
    std::printf("  %-55s %10.1f ms  (target < %g ms: %s)\n", "idle after the last line", g_worstIdleMs,
                idleTargetMs, verdict(g_worstIdleMs >= 0 && g_worstIdleMs < idleTargetMs));
    std::printf("  %-55s %10s  (%s)\n", "every record in order", g_allDelivered ? "yes" : "no",
                verdict(g_allDelivered));
    std::printf("  %-55s %10s  (%s)\n", "a call log row per ended call", g_allRowsWritten ? "yes" : "no",
                verdict(g_allRowsWritten));
    std::printf("  %-55s %10.1f MB  (target < %g MB: %s)\n", "peak resident size during a burst", g_peakMb,
                peakTargetMb, verdict(g_peakMb < peakTargetMb));
    return 0;
}
