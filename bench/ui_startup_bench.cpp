// Start-up of the real window over a store of 10,000 contacts with 20,000 numbers, 1,000 of
// them favorites, 10,000 call log rows and an auto-connect profile on a live fake box: from the
// process's start (as /proc/self/stat has it) to the window's first paint, and the peak
// resident size then. Each run is a fresh process of this program, offscreen.
#include "BenchRuns.h"
#include "LargeStore.h"
#include "UiBenchSupport.h"
#include "support/fakebox/FakeBox.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int callLogCount = 10000;
constexpr double startUpTargetMs = 100;
constexpr double peakTargetMb = 80;
std::string g_dataHome;
double g_peakMb = 0;

// Seconds since boot at which this process started.
double processStartSeconds() {
    std::ifstream statFile("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    // The command name may hold blanks; the fields after it are counted from its ")".
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int index = 3; index <= 22; ++index) {
        fields >> field;
    }
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double secondsSinceBoot() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Notes the first paint of the window and ends the event loop.
class FirstPaint final : public QObject {
public:
    double startUpMilliseconds = -1;
    long peakKilobytes = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && startUpMilliseconds < 0) {
            startUpMilliseconds = (secondsSinceBoot() - processStartSeconds()) * 1000.0;
            peakKilobytes = UiBench::peakResidentKilobytes();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

// The measured process: the program's start-up up to the first paint; prints "ms kB".
int runChild(int argc, char** argv) {
    QApplication application(argc, argv);
    FirstPaint firstPaint;
    {
        UiBench::Program program;
        program.delegate->window()->installEventFilter(&firstPaint);
        program.delegate->applicationDidFinishLaunching();
        QApplication::exec();
    }
    // The toolbar logs the auto-connect on the same output: the figures have their own mark.
    std::printf("\nfirst-paint %.3f %ld\n", firstPaint.startUpMilliseconds, firstPaint.peakKilobytes);
    return firstPaint.startUpMilliseconds < 0 ? 1 : 0;
}

void fillStore(uint16_t port) {
    TessmarkDialerCore::open();
    LargeStore::fill(callLogCount);
    ConnectionSettings profile = LargeStore::benchProfile(port, true);
    ConnectionSettingsManager::addConnectionSettings(profile);
    TessmarkDialerCore::close();
}

void StartUpToFirstPaint(benchmark::State& state) {
    std::vector<double> peaks;
    for (auto _ : state) {
        const std::string command = "QT_QPA_PLATFORM=offscreen XDG_DATA_HOME='" + g_dataHome + "' /proc/" +
                                    std::to_string(getpid()) + "/exe --child";
        FILE* child = popen(command.c_str(), "r");
        double milliseconds = -1;
        long kilobytes = -1;
        bool found = false;
        char line[512];
        while (child != nullptr && std::fgets(line, sizeof line, child) != nullptr) {
            found = found || std::sscanf(line, "first-paint %lf %ld", &milliseconds, &kilobytes) == 2;
        }
        if (child == nullptr || pclose(child) != 0 || !found) {
            state.SkipWithError("the measured process failed");
            return;
        }
        state.SetIterationTime(milliseconds / 1000.0);
        recordRun("start-up to the first paint",
                  std::chrono::microseconds(static_cast<long>(milliseconds * 1000)));
        peaks.push_back(static_cast<double>(kilobytes));
    }
    double peak = 0;
    for (double value : peaks) {
        peak = std::max(peak, value);
    }
    state.counters["VmHWM_MB"] = peak / 1024.0;
    g_peakMb = std::max(g_peakMb, peak / 1024.0);
}
BENCHMARK(StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") {
        return runChild(argc, argv);
    }
    g_dataHome = UiBench::makeDataHome();
    fakebox::FakeBox box;
    fillStore(box.port());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("Start-up over 10,000 contacts, 1,000 favorites, 10,000 call log rows, auto-connect:\n");
    printRuns("start-up to the first paint", startUpTargetMs);
    std::printf("  %-55s %10.1f MB  (target < %g MB: %s)\n", "peak resident size", g_peakMb, peakTargetMb,
                g_peakMb < peakTargetMb ? "met" : "MISSED");
    UiBench::removeFolder(g_dataHome);
    return 0;
}
