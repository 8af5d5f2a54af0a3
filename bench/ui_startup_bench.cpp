// Start-up of the real window over a phone book of 10,000 contacts with 20,000 numbers: from
// the process's start (as /proc/self/stat has it) to the window's first paint, and the peak
// resident size then. Each run is a fresh process of this program, offscreen.
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/ContactNumber.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "UiBenchSupport.h"

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

constexpr int contactCount = 10000;
std::string g_dataHome;

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
    std::printf("%.3f %ld\n", firstPaint.startUpMilliseconds, firstPaint.peakKilobytes);
    return firstPaint.startUpMilliseconds < 0 ? 1 : 0;
}

void fillPhoneBook() {
    TessmarkDialerCore::open();
    {
        CPPBatchScope batch;
        for (int index = 0; index < contactCount; ++index) {
            Contact contact;
            contact.setFirstName("First" + std::to_string(index));
            contact.setLastName("Last" + std::to_string(index % 977));
            contact.setCompany("Company " + std::to_string(index % 311));
            contact.setFavorite(index % 50 == 0);
            contact.numbers().clear();
            for (int number = 0; number < 2; ++number) {
                auto entry = std::make_shared<ContactNumber>();
                entry->setNumber(std::to_string(2000000 + index * 2 + number));
                entry->setType(number);
                entry->setSpeedDial(-1);
                entry->setDefaultNumber(number == 0);
                contact.numbers().push_back(entry);
            }
            ContactManager::addContact(contact);
        }
    }
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
        if (child == nullptr || std::fscanf(child, "%lf %ld", &milliseconds, &kilobytes) != 2 ||
            pclose(child) != 0) {
            state.SkipWithError("the measured process failed");
            return;
        }
        state.SetIterationTime(milliseconds / 1000.0);
        peaks.push_back(static_cast<double>(kilobytes));
    }
    double peak = 0;
    for (double value : peaks) {
        peak = std::max(peak, value);
    }
    state.counters["VmHWM_MB"] = peak / 1024.0;
}
BENCHMARK(StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") {
        return runChild(argc, argv);
    }
    g_dataHome = UiBench::makeDataHome();
    fillPhoneBook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UiBench::removeFolder(g_dataHome);
    return 0;
}
