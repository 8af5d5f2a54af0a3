// The serial link on a pseudo-terminal, with the product's timings: what an idle live link
// costs, and how fast a burst of box replies becomes messages for the core.
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/connection/Serial/SerialPort.h"
#include "Logic/connection/Serial/SerialPortManager.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Platform/Log.h"
#include "Platform/MainQueue.h"
#include "support/FakeSerialPortEnumerator.h"
#include "support/PtyBox.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Counts the messages the device object hands to the core (it logs each one first) and keeps
// every other line off the benchmark's output.
class CountingSink final : public Platform::LogSink {
public:
    void write(const std::string& line) override {
        if (line.rfind("[Serial] <<< ", 0) == 0)
            m_messages.fetch_add(1);
    }
    int messages() const { return m_messages.load(); }

private:
    std::atomic<int> m_messages{0};
};

class LoginListener final : public DeviceCommandNotificationListener {
public:
    void notify(const CPPNotificationInfo* info) override {
        // The last record of a login pass: mute availability.
        if (info->getNotificationType() == NotificationType::MUTE && info->getOriginCmd().empty())
            m_loginPasses.fetch_add(1);
    }
    int loginPasses() const { return m_loginPasses.load(); }

private:
    std::atomic<int> m_loginPasses{0};
};

std::shared_ptr<const CPPConnectionSettings> serialProfile(const std::string& path) {
    CPPConnectionSettings settings;
    settings.setId(1);
    settings.setConnectionType(ConnectionType::SERIAL);
    settings.setSerialPath(path);
    settings.setPhoneType(PhoneType::VOIP);
    settings.setTelcoVoIPEPN("1");
    settings.setSpeakerGroupName("SPK");
    settings.setMicrophoneGroupName("MIC");
    return std::make_shared<const CPPConnectionSettings>(settings);
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s) {
    return Platform::MainQueue::shared().pumpUntil(done, timeout);
}

// A logged-in serial link on a fresh pseudo-terminal for the length of one benchmark.
struct LiveSerialLink {
    CountingSink sink;
    LoginListener listener;
    PtyBox box;
    FakeSerialPortEnumerator devices;
    DeviceCommunication* device = nullptr;
    std::unique_ptr<DeviceCommunicationObject> object;
    bool up = false;

    LiveSerialLink() {
        Platform::Log::setOutSink(&sink);
        Platform::Log::setErrSink(&sink);
        // The manager watches for devices from its making on, so it must hear of the box's.
        SerialPortManager::sharedSerialPortManager();
        devices.announceArrival({box.device()});
        pumpUntil([&] { return SerialPort::existingPortWithPath(box.slavePath()) != nullptr; });
        device = DeviceCommunication::getInstance();
        object = std::make_unique<DeviceCommunicationObject>(device);
        // The object installs the bridge's listener; this one counts the login passes.
        device->setListener(&listener);
        device->connect(serialProfile(box.slavePath()));
        up = pumpUntil([&] { return listener.loginPasses() == 1; });
    }
    ~LiveSerialLink() {
        device->closeConnection();
        object->setDeviceCommunication(nullptr);
        delete device;
        Platform::MainQueue::shared().runPending();
        object.reset();
        devices.announceRemoval({box.device()});
        Platform::MainQueue::shared().runPending();
        Platform::Log::setOutSink(nullptr);
        Platform::Log::setErrSink(nullptr);
    }
};

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Ten seconds of a live, quiet link while this thread drains the main queue. Judged by the
// CPU its own threads (the serial loop, the port's reader, the box's drain) use, as a share
// of one core: under 1%. Argument 1 gives the line modem lines (through a stand-in, since a
// pseudo-terminal has none), which the reader then polls 100 times a second.
void BM_IdleSerialLinkCpu(benchmark::State& state) {
    const bool modemLines = state.range(0) == 1;
    static std::atomic<int> modemReads{0};
    if (modemLines)
        SerialPort::setModemLineAccess({[](int, int& bits) {
                                            modemReads.fetch_add(1);
                                            bits = TIOCM_CTS | TIOCM_DSR;
                                            return 0;
                                        },
                                        [](int, int) { return 0; }});
    {
        LiveSerialLink link;
        if (!link.up) {
            state.SkipWithError("the serial link did not come up");
        }
        for (auto _ : state) {
            const double processBefore = cpuSeconds(RUSAGE_SELF);
            const double pumpBefore = cpuSeconds(RUSAGE_THREAD);
            const int readsBefore = modemReads.load();
            const auto start = Clock::now();
            pumpUntil([] { return false; }, 10s);
            const double wall = std::chrono::duration<double>(Clock::now() - start).count();
            const double pump = cpuSeconds(RUSAGE_THREAD) - pumpBefore;
            const double process = cpuSeconds(RUSAGE_SELF) - processBefore;
            state.counters["link_cpu_percent"] = 100.0 * (process - pump) / wall;
            state.counters["process_cpu_percent"] = 100.0 * process / wall;
            state.counters["modem_reads_per_second"] = (modemReads.load() - readsBefore) / wall;
        }
    }
    SerialPort::setModemLineAccess({});
}
BENCHMARK(BM_IdleSerialLinkCpu)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// 64 KiB of box replies written to the line in one go: the time from the first byte to the
// last message handed to the core (each one parsed into its record on the way). Under 20 ms.
void BM_SerialBurstToCore(benchmark::State& state) {
    LiveSerialLink link;
    if (!link.up)
        state.SkipWithError("the serial link did not come up");
    std::string burst;
    int replies = 0;
    for (; burst.size() < 64 * 1024; ++replies)
        burst += "EP UA 1 SETTINGS DISPLAY_NAME Room " + std::to_string(replies) + "\n\r=> ";
    for (auto _ : state) {
        const int target = link.sink.messages() + replies;
        const auto start = Clock::now();
        std::thread writer([&] { link.box.write(burst); });
        const bool arrived = pumpUntil([&] { return link.sink.messages() >= target; });
        const auto elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        writer.join();
        if (!arrived) {
            state.SkipWithError("the burst did not arrive");
            break;
        }
        state.SetIterationTime(elapsed);
    }
    state.counters["bytes"] = static_cast<double>(burst.size());
    state.counters["replies"] = replies;
}
BENCHMARK(BM_SerialBurstToCore)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
