// The whole serial road on a pseudo-terminal: DeviceCommunication, the device communication
// object with the port manager's list, a real SerialPort, and a box on the master.
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/connection/Serial/SerialPortManager.h"
#include "Platform/NotificationCenter.h"
#include "connection/LinkFixture.h"
#include "serial/SerialTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <random>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

using fakebox::FakeBox;

class PtyLink : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        serialtest::sharedManagerMadeOffMain();
        ASSERT_NO_FATAL_FAILURE(plugIn(m_box));
        m_object = std::make_unique<DeviceCommunicationObject>(m_device);
        // The object installs the bridge's listener; these tests read the records directly.
        m_device->setListener(&m_listener);
        ASSERT_EQ(tcgetattr(m_box.masterDescriptor(), &m_lineBefore), 0);
    }

    void TearDown() override {
        m_object->setDeviceCommunication(nullptr);
        delete DeviceCommunication::getInstance();
        Platform::MainQueue::shared().runPending();
        m_object.reset();
        for (const auto& port : SerialPortManager::sharedSerialPortManager().availablePorts())
            port->close();
        m_devices.setDevices({});
        SerialPortManager::sharedSerialPortManager().setAvailablePorts({});
        Platform::MainQueue::shared().runPending();
        LinkFixture::TearDown();
    }

    // The box's line arrives, as udev would announce it.
    void plugIn(const PtyBox& box) {
        m_devices.announceArrival({box.device()});
        ASSERT_TRUE(pumpUntil([&] { return portOf(box) != nullptr; }));
    }
    static std::shared_ptr<SerialPort> portOf(const PtyBox& box) {
        for (const auto& port : SerialPortManager::sharedSerialPortManager().availablePorts())
            if (port->path() == box.slavePath())
                return port;
        return nullptr;
    }

    // Runs the main queue for the quiet time; true when no record came meanwhile.
    bool quietFor(std::chrono::milliseconds time) {
        const size_t before = m_listener.records().size();
        Platform::MainQueue::shared().pumpUntil([&] { return m_listener.records().size() > before; }, time);
        return m_listener.records().size() == before;
    }

    // Connects to the box's line and waits until the login pass is over.
    void connectSerial(const PtyBox& box) {
        const size_t logins = countOf(m_listener.records(), "LOGIN_SUCCESS");
        connect(serialProfile(box.slavePath()));
        ASSERT_TRUE(pumpUntilCount("LOGIN_SUCCESS", logins + 1));
        ASSERT_TRUE(waitForLoginPass(logins + 1));
        ASSERT_TRUE(box.waitForReceived("EP MIC LEVEL MUTE\r\n", SOON));
        // A fresh device object's first periodic step adds one display record; wait for it, so
        // it never lands among a test's own records.
        if (!m_sawFirstStep) {
            ASSERT_TRUE(pumpUntil([&] { return findSettingsDisable(m_listener.records()) == 1; }));
        }
        m_sawFirstStep = true;
    }

    std::vector<std::string> payloadsOf(const std::string& pn) const {
        std::vector<std::string> payloads;
        for (const auto& record : m_listener.records())
            if (record.pn == pn)
                payloads.push_back(record.payload);
        return payloads;
    }

    PtyBox m_box;
    FakeSerialPortEnumerator m_devices;
    std::unique_ptr<DeviceCommunicationObject> m_object;
    termios m_lineBefore{};
    bool m_sawFirstStep = false;
};

// The connect sequence end to end, the queries on the wire, and the first reply's record.
TEST_F(PtyLink, ConnectLogsInAndRepliesBecomeRecords) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    EXPECT_EQ(linkEvents(),
              (std::vector<std::string>{"CONNECTING", "CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}));
    std::vector<std::pair<int32_t, std::string>> afterLogin;
    const auto records = m_listener.records();
    for (auto record = records.begin() + 4; record != records.end(); ++record)
        afterLogin.emplace_back(record->notificationType, record->pn);
    EXPECT_EQ(afterLogin, (std::vector<std::pair<int32_t, std::string>>{
                              {5, "ENABLE"}, {10, "ENABLE"}, {9, "ENABLE"}, {8, "ENABLE"}, {3, "DISABLE"}}));
    EXPECT_EQ(m_box.received(), "\r\n\r\n"
                                "EP UA 1 SETTINGS DISPLAY_NAME\r\n"
                                "EP UA 1 INQUIRE REG_STATUS\r\n"
                                "EP UA 1 INQUIRE ACTIVE_PARTIES\r\n"
                                "EP UA 1 INQUIRE CFW_STATUS\r\n"
                                "EP UA 1 INQUIRE DND_STATUS\r\n"
                                "EP SPK LEVEL MAX_GAIN\r\n"
                                "EP SPK LEVEL MIN_GAIN\r\n"
                                "EP SPK LEVEL GAIN\r\n"
                                "EP MIC LEVEL MUTE\r\n");

    // A prompt split across two reads gives its message once the second part is read.
    ASSERT_TRUE(m_box.write("EP UA 1 SETTINGS DISPLAY_NAME Lobby\n\r="));
    ASSERT_TRUE(serialtest::spinUntil([] { return Platform::MainQueue::shared().pendingCount() > 0; }));
    Platform::MainQueue::shared().runPending();
    EXPECT_TRUE(payloadsOf("DISPLAY_NAME").empty());
    ASSERT_TRUE(m_box.write("> "));
    ASSERT_TRUE(pumpUntilCount("DISPLAY_NAME", 1));
    const auto named = m_listener.records().back();
    EXPECT_EQ(named.notificationType, 3);
    EXPECT_EQ(named.payload, "LOBBY");

    // Fifteen seconds on: the keep-alive goes out on the line.
    m_box.clearReceived();
    m_clock.advanceSeconds(15);
    ASSERT_TRUE(
        m_box.waitForReceived("EP UA 1 INQUIRE REG_STATUS\r\nEP UA 1 SETTINGS DISPLAY_NAME\r\n", SOON));
}

// A burst of 64 KiB of replies arrives whole and in order, and the link stays up.
TEST_F(PtyLink, ABurstOfRepliesArrivesInOrder) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    std::string burst;
    std::vector<std::string> names;
    for (int reply = 0; burst.size() < 64 * 1024; ++reply) {
        names.push_back("ROOM " + std::to_string(reply));
        burst += "EP UA 1 SETTINGS DISPLAY_NAME Room " + std::to_string(reply) + "\n\r=> ";
    }
    std::thread writer([&] { EXPECT_TRUE(m_box.write(burst)); });
    ASSERT_TRUE(pumpUntilCount("DISPLAY_NAME", names.size()));
    writer.join();
    EXPECT_EQ(payloadsOf("DISPLAY_NAME"), names);
    EXPECT_TRUE(m_device->isConnected());
}

// The core's close: resets, CLOSE, then the port's "Connection closed"; the line is put back as
// it was. Connecting again while up replaces the port's open, and the old open's "closed" is
// only logged.
TEST_F(PtyLink, CloseRestoresTheLineAndAReconnectDropsTheOldClose) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    m_listener.clear();
    m_device->closeConnection();
    ASSERT_TRUE(pumpUntilCount("ERROR", 1));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CLOSE", "ERROR"}));
    EXPECT_EQ(payloadsOf("ERROR"), (std::vector<std::string>{"Connection closed"}));
    termios after{};
    ASSERT_EQ(tcgetattr(m_box.masterDescriptor(), &after), 0);
    EXPECT_EQ(after.c_lflag, m_lineBefore.c_lflag);
    EXPECT_EQ(after.c_iflag, m_lineBefore.c_iflag);
    EXPECT_EQ(after.c_cflag, m_lineBefore.c_cflag);

    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    m_listener.clear();
    m_box.clearReceived();
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    EXPECT_EQ(linkEvents(),
              (std::vector<std::string>{"CLOSE", "CONNECTING", "CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}));
    EXPECT_EQ(m_listener.records().front().pn, "CFW_STATUS");
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(countOf(m_listener.records(), "ERROR"), 0U);
    const auto out = m_log.outLines();
    EXPECT_EQ(
        std::count(out.begin(), out.end(), "[Serial] Ignored status 2 of an earlier link: Connection closed"),
        1);
    EXPECT_TRUE(m_device->isConnected());
}

// A pulled cable, idle or in the middle of a write the box stopped reading: one failure and
// the close, no hang, and the next line logs in again.
TEST_F(PtyLink, APulledCableTakesTheLinkDownOnce) {
    for (const bool blockedWrite : {false, true}) {
        SCOPED_TRACE(blockedWrite ? "during a blocked write" : "idle");
        PtyBox box(blockedWrite ? "ttyFAKE1" : "ttyFAKE2");
        ASSERT_NO_FATAL_FAILURE(plugIn(box));
        ASSERT_NO_FATAL_FAILURE(connectSerial(box));
        m_listener.clear();
        std::thread sender;
        std::atomic<int32_t> sent{0};
        if (blockedWrite) {
            box.setDraining(false);
            sender = std::thread([&] { sent = m_device->sendCommand(std::string(64 * 1024, 'X')); });
            pollfd master{box.masterDescriptor(), POLLIN, 0};
            ASSERT_EQ(::poll(&master, 1, static_cast<int>(SOON.count())), 1);
        }
        box.closeMaster();
        ASSERT_TRUE(pumpUntilCount("ERROR", 2));
        if (sender.joinable())
            sender.join();
        EXPECT_EQ(payloadsOf("ERROR"),
                  (std::vector<std::string>{"Failed to connect to device", "Connection closed"}));
        EXPECT_FALSE(m_device->isConnected());
        EXPECT_TRUE(quietFor(QUIET));
        // The core counts a serial send as sent, whatever the port did with it.
        if (blockedWrite) {
            EXPECT_EQ(sent.load(), 1);
        }

        ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    }
}

// Replies read before the cable went still become records, ahead of the errors.
TEST_F(PtyLink, RepliesBeforeAHangUpComeFirst) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    m_listener.clear();
    ASSERT_TRUE(
        m_box.write("EP UA 1 SETTINGS DISPLAY_NAME First\n\r=> EP UA 1 SETTINGS DISPLAY_NAME Last\n\r=> "));
    ASSERT_TRUE(serialtest::spinUntil([] { return Platform::MainQueue::shared().pendingCount() > 0; }));
    m_box.closeMaster();
    ASSERT_TRUE(pumpUntilCount("ERROR", 2));
    std::vector<std::string> seen;
    for (const auto& record : m_listener.records())
        seen.push_back(record.pn + " " + record.payload);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"DISPLAY_NAME FIRST", "DISPLAY_NAME LAST",
                                        "ERROR Failed to connect to device", "ERROR Connection closed"}));
}

// The open port's device is announced gone: the port closes without an error of its own, it
// leaves the list, and comes back when the device does.
TEST_F(PtyLink, ARemovedDeviceClosesTheLink) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    const std::shared_ptr<SerialPort> port = portOf(m_box);
    std::vector<std::string> removed;
    const auto token = Platform::NotificationCenter::defaultCenter().addObserver(
        SerialPortManager::SerialPortWasDisconnectedNotification, nullptr, [&](const auto& note) {
            for (const auto& gone : std::any_cast<SerialPortManager::Ports>(
                     note.userInfo.at(SerialPortManager::DisconnectedSerialPortsKey)))
                removed.push_back(gone->name());
        });
    m_listener.clear();
    m_devices.announceRemoval({m_box.device()});
    ASSERT_TRUE(pumpUntilCount("ERROR", 1));
    EXPECT_EQ(payloadsOf("ERROR"), (std::vector<std::string>{"Connection closed"}));
    EXPECT_EQ(removed, (std::vector<std::string>{"ttyFAKE0"}));
    EXPECT_EQ(portOf(m_box), nullptr);
    EXPECT_FALSE(port->isOpen());
    Platform::NotificationCenter::defaultCenter().removeObserver(token);

    ASSERT_NO_FATAL_FAILURE(plugIn(m_box));
    EXPECT_EQ(portOf(m_box), port);
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
}

// Garbage from the box makes no record and does not stop the next reply.
TEST_F(PtyLink, GarbageIsIgnoredAndTheNextReplyCounts) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    m_listener.clear();
    std::mt19937 random(20261207);
    // NUL, a byte never in UTF-8, a cut character, a surrogate half, a stray "=>".
    const char start[] = "\0\xFF\xC3(\xED\xA0\x80 =>";
    std::string garbage(start, sizeof start - 1);
    for (int byte = 0; byte < 3000; ++byte)
        garbage.push_back(static_cast<char>(random() % 256));
    while (garbage.find("\n\r=> ") != std::string::npos)
        garbage.erase(garbage.find("\n\r=> "), 1);
    ASSERT_TRUE(m_box.write(garbage));
    ASSERT_TRUE(m_box.write("\n\r=> EP UA 1 SETTINGS DISPLAY_NAME Lobby\n\r=> "));
    ASSERT_TRUE(pumpUntilCount("DISPLAY_NAME", 1));
    EXPECT_EQ(m_listener.records().size(), 1U);
    EXPECT_EQ(m_listener.records()[0].payload, "LOBBY");
    EXPECT_TRUE(m_device->isConnected());
}

// Lines that cannot be opened: a path no device has, a listed device whose node went away, a
// line another program holds. None hangs, and the next connect to a live line works.
TEST_F(PtyLink, LinesThatCannotBeOpened) {
    connect(serialProfile("/dev/nonexistent"));
    ASSERT_TRUE(pumpUntilCount("CONNECTING", 1));
    EXPECT_TRUE(quietFor(QUIET));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING"}));

    {
        // Listed under a name that goes away before the open.
        PtyBox vanishing("ttyFAKE1");
        TempDir folder;
        const std::string listed = folder.file("ttyFAKE1");
        ASSERT_EQ(symlink(vanishing.slavePath().c_str(), listed.c_str()), 0);
        m_devices.announceArrival({Platform::SerialDevice::named("ttyFAKE1", listed, "")});
        ASSERT_TRUE(pumpUntil([&] { return SerialPort::existingPortWithPath(listed) != nullptr; }));
        ASSERT_EQ(unlink(listed.c_str()), 0);
        m_listener.clear();
        connect(serialProfile(listed));
        ASSERT_TRUE(pumpUntilCount("ERROR", 1));
        EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "CONNECTING", "ERROR"}));
        EXPECT_EQ(payloadsOf("ERROR"), (std::vector<std::string>{"Failed to connect to device"}));
    }

    const int holder = ::open(m_box.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    m_listener.clear();
    connect(serialProfile(m_box.slavePath()));
    ASSERT_TRUE(pumpUntilCount("ERROR", 1));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "CONNECTING", "ERROR"}));
    EXPECT_EQ(payloadsOf("ERROR"), (std::vector<std::string>{"Failed to connect to device"}));
    EXPECT_TRUE(quietFor(QUIET));
    ::close(holder);

    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
}

// From serial to Telnet: the port's late "closed" belongs to the old link and leaves the
// Telnet link up.
TEST_F(PtyLink, ALateCloseLeavesTheTelnetLinkUp) {
    ASSERT_NO_FATAL_FAILURE(connectSerial(m_box));
    FakeBox box;
    m_listener.clear();
    connect(profileP(box.port()));
    ASSERT_TRUE(waitForLoginPass(1));
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(countOf(m_listener.records(), "ERROR"), 0U);
    EXPECT_TRUE(m_device->isConnected());
    EXPECT_FALSE(portOf(m_box)->isOpen());
}

} // namespace
