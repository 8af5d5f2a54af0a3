#pragma once

// What the interface's benchmarks share: a private data folder and a process that runs the
// real window offscreen.
#include "App/MainQueueBinding.h"
#include "App/NotificationRelay.h"
#include "App/shell/AppDelegate.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace UiBench {

// Runs the event loop until done() or the timeout; true when done.
template <typename Done>
bool pumpUntil(Done done, int timeoutMilliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMilliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Runs the event loop for the time given.
inline void pumpFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    pumpUntil([&timer, milliseconds] { return timer.elapsed() >= milliseconds; }, milliseconds + 1000);
}

// A fresh folder under the system's temporary directory, set as XDG_DATA_HOME.
inline std::string makeDataHome() {
    char pattern[] = "/tmp/tessmark-ui-bench-XXXXXX";
    const char* folder = mkdtemp(pattern);
    const std::string path = folder != nullptr ? folder : "/tmp";
    setenv("XDG_DATA_HOME", path.c_str(), 1);
    return path;
}

inline void removeFolder(const std::string& path) {
    const std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        return;
    }
}

// "VmHWM" of /proc/self/status in kB: the peak resident size so far.
inline long peakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// The program's own start-up around an application object: the main queue bound, the relay
// started, the delegate made (not launched yet).
struct Program {
    Program() : binding(Platform::MainQueue::shared()), delegate(std::make_unique<AppDelegate>()) {
        NotificationRelay::instance().start(Platform::NotificationCenter::defaultCenter(),
                                            Platform::MainQueue::shared());
    }
    ~Program() {
        delegate->applicationWillTerminate();
        NotificationRelay::instance().stop();
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainQueueBinding binding;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace UiBench
