#pragma once

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/profiles/CPPCustomKeyTable.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/profiles/CPPVolumeCommandTable.h"
#include "Platform/MainQueue.h"
#include "support/CallRecordTables.h"
#include "support/CapturingLog.h"
#include "support/CapturingNotificationListener.h"
#include "support/DatabaseFixture.h"
#include "support/FakeClock.h"
#include "support/fakebox/FakeBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// Waits long enough for anything that should happen; nothing in these tests takes close.
constexpr std::chrono::milliseconds SOON = 5s;
// How long "nothing more happens" is watched.
constexpr std::chrono::milliseconds QUIET = 150ms;

// Holds the first thread that comes to it until the test opens it (at the latest when the gate
// goes, or after SOON), so a test forces one interleaving without timing. Later threads pass.
class ThreadGate {
public:
    ThreadGate() = default;
    ~ThreadGate() { open(); }
    ThreadGate(const ThreadGate&) = delete;
    ThreadGate& operator=(const ThreadGate&) = delete;

    // What the held thread runs; it may outlive the gate. whileHeld, when given, is what the
    // first thread does instead of waiting for the gate to open.
    std::function<void()> holder(std::function<void()> whileHeld = {}) const {
        return [state = m_state, whileHeld = std::move(whileHeld)] {
            std::unique_lock lock(state->mutex);
            if (state->held)
                return;
            state->held = true;
            state->changed.notify_all();
            if (whileHeld) {
                lock.unlock();
                whileHeld();
                return;
            }
            state->changed.wait_for(lock, SOON, [&] { return state->opened; });
        };
    }
    // Holds the first thread that reaches point on device.
    void holdAt(DeviceCommunication& device, DeviceCommunication::TestPoint point) const {
        device.setTestPointObserver([hold = holder(), point](DeviceCommunication::TestPoint reached) {
            if (reached == point)
                hold();
        });
    }

    bool isHeld() const {
        std::lock_guard lock(m_state->mutex);
        return m_state->held;
    }
    bool waitUntilHeld() const {
        std::unique_lock lock(m_state->mutex);
        return m_state->changed.wait_for(lock, SOON, [&] { return m_state->held; });
    }
    void open() {
        std::lock_guard lock(m_state->mutex);
        m_state->opened = true;
        m_state->changed.notify_all();
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool held = false;
        bool opened = false;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// A fresh device object with short real waits, a fake clock, captured records and log lines,
// and a store with the profile and call tables, per test.
class LinkFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(createCallRecordTables());
        ASSERT_TRUE(CPPConnectionSettingsTable::getInstance().createTable());
        ASSERT_TRUE(CPPCustomKeyTable::getInstance().createTable());
        ASSERT_TRUE(CPPMuteCommandTable::getInstance().createTable());
        ASSERT_TRUE(CPPVolumeCommandTable::getInstance().createTable());
        CPPLine::getInstance().reset(true);
        CPPLine::getInstance().setDoNotDisturbState(0);
        m_device = DeviceCommunication::getInstance();
        m_device->setListener(&m_listener);
        m_device->setTimings(testTimings());
    }

    void TearDown() override {
        delete DeviceCommunication::getInstance();
        DatabaseFixture::TearDown();
    }

    static DeviceTimings testTimings() {
        DeviceTimings timings;
        timings.retryPause = 10ms;
        timings.connectWait = 300ms;
        timings.pollPeriod = 20ms;
        timings.serialPause = 5ms;
        return timings;
    }

    // P: the box on 127.0.0.1, Telnet, VoIP endpoint 1 by number, admin/s3cret, speaker and
    // microphone groups SPK and MIC.
    static CPPConnectionSettings profileP(uint16_t port) {
        CPPConnectionSettings settings;
        settings.setId(7);
        settings.setRoomName("Board Room");
        settings.setIp("127.0.0.1");
        settings.setPort(port);
        settings.setConnectionType(ConnectionType::TELNET);
        settings.setPhoneType(PhoneType::VOIP);
        settings.setIsEPN(true);
        settings.setTelcoVoIPEPN("1");
        settings.setUserName("admin");
        settings.setPassword("s3cret");
        settings.setUsesSpeakerGroup(true);
        settings.setSpeakerGroupName("SPK");
        settings.setUsesMicrophoneGroup(true);
        settings.setMicrophoneGroupName("MIC");
        return settings;
    }

    // P over a serial line at the path.
    static CPPConnectionSettings serialProfile(const std::string& path) {
        CPPConnectionSettings settings = profileP(0);
        settings.setConnectionType(ConnectionType::SERIAL);
        settings.setSerialPath(path);
        return settings;
    }

    // Runs the main queue until done (the test thread is the main thread; serial ports post
    // their events there), at most SOON.
    bool pumpUntil(const std::function<bool()>& done) {
        return Platform::MainQueue::shared().pumpUntil(done, SOON);
    }
    bool pumpUntilCount(const std::string& pn, size_t count) {
        return pumpUntil([&] { return countOf(m_listener.records(), pn) >= count; });
    }

    void connect(const CPPConnectionSettings& settings) {
        m_device->connect(std::make_shared<const CPPConnectionSettings>(settings));
    }

    // Connects P to box and waits until its login pass is over.
    void connectAndLogIn(fakebox::FakeBox& box) {
        const size_t logins = countOf(m_listener.records(), "LOGIN_SUCCESS");
        const std::vector<std::string> lines = box.lines();
        const auto queried = std::count(lines.begin(), lines.end(), "EP MIC LEVEL MUTE");
        connect(profileP(box.port()));
        ASSERT_TRUE(waitForLoginPass(logins + 1));
        // The box has every query too.
        ASSERT_TRUE(box.waitForLine("EP MIC LEVEL MUTE", SOON, static_cast<int>(queried) + 1));
    }

    // True once logins logins happened and the last one's pass ended: the mute availability
    // record is the pass's last.
    bool waitForLoginPass(size_t logins) {
        return m_listener.waitFor(
            [&](const auto& records) {
                size_t seen = 0;
                bool ended = false;
                for (const CapturedRecord& record : records) {
                    if (record.pn == "LOGIN_SUCCESS") {
                        ++seen;
                        ended = false;
                    } else if (record.notificationType == NotificationType::MUTE &&
                               record.originCmd.empty() &&
                               (record.pn == "ENABLE" || record.pn == "DISABLE")) {
                        ended = true;
                    }
                }
                return seen >= logins && ended;
            },
            SOON);
    }

    bool waitForCount(const std::string& pn, size_t count) {
        return m_listener.waitFor([&](const auto& records) { return countOf(records, pn) >= count; }, SOON);
    }

    static size_t countOf(const std::vector<CapturedRecord>& records, const std::string& pn) {
        return static_cast<size_t>(std::count_if(records.begin(), records.end(),
                                                 [&](const auto& record) { return record.pn == pn; }));
    }

    // The "SETTINGS DISABLE" records with an empty name: the first periodic step's.
    static size_t findSettingsDisable(const std::vector<CapturedRecord>& records) {
        return static_cast<size_t>(std::count_if(records.begin(), records.end(), [](const auto& record) {
            return record.bn == "SETTINGS" && record.pn == "DISABLE" && record.payload.empty();
        }));
    }

    // The link's status words since the last clear.
    std::vector<std::string> linkEvents() const { return m_listener.linkEvents(); }

    // True when no record arrives for the quiet time.
    bool noRecordFor(std::chrono::milliseconds time) {
        const size_t before = m_listener.records().size();
        return !m_listener.waitFor([&](const auto& records) { return records.size() > before; }, time);
    }

    FakeClock m_clock;
    CapturingLog m_log;
    CapturingNotificationListener m_listener;
    DeviceCommunication* m_device = nullptr;
};

// The three records of a line reset, then CLOSE.
inline const std::vector<std::string> RESET_AND_CLOSE = {"CFW_STATUS", "DISABLE", "ACTIVE_PARTIES", "CLOSE"};
