#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Platform/MainQueue.h"
#include "connection/LinkFixture.h"
#include "support/FakeSerialPort.h"

#include <atomic>
#include <optional>

namespace {

using fakebox::FakeBox;

constexpr const char* PORT_PATH = "/dev/ttyFAKE0";

// What one serial login writes: the line end, then the VoIP profile's queries.
const std::vector<std::string> LOGIN_LINES = {"",
                                              "",
                                              "EP UA 1 SETTINGS DISPLAY_NAME",
                                              "EP UA 1 INQUIRE REG_STATUS",
                                              "EP UA 1 INQUIRE ACTIVE_PARTIES",
                                              "EP UA 1 INQUIRE CFW_STATUS",
                                              "EP UA 1 INQUIRE DND_STATUS",
                                              "EP SPK LEVEL MAX_GAIN",
                                              "EP SPK LEVEL MIN_GAIN",
                                              "EP SPK LEVEL GAIN",
                                              "EP MIC LEVEL MUTE"};

// Holds the first writer of bytes holding text inside the port's write, until the gate opens.
// Until::PortClosed plays a driver that never takes the bytes: the write waits for the port to
// close, as a real port's does, for SOON at most.
class WriteHold : public ThreadGate {
public:
    enum class Until { Released, PortClosed };

    WriteHold(FakeSerialPort& port, std::string text, Until until = Until::Released) {
        std::function<void()> whileHeld;
        if (until == Until::PortClosed)
            whileHeld = [&port, ended = m_endedByClose] { ended->store(port.waitUntilClosed(SOON)); };
        port.setWriteHook(
            [hold = holder(std::move(whileHeld)), text = std::move(text)](const std::string& bytes) {
                if (bytes.find(text) != std::string::npos)
                    hold();
            });
    }
    bool endedByClose() const { return m_endedByClose->load(); }

private:
    std::shared_ptr<std::atomic<bool>> m_endedByClose = std::make_shared<std::atomic<bool>>(false);
};

// The device object with fake ports; the test thread is the main thread and drains the main
// queue, where the ports post their events.
class SerialLink : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        m_object = std::make_unique<DeviceCommunicationObject>(m_device);
        // The object installs the bridge's listener; these tests read the records directly.
        m_device->setListener(&m_listener);
        m_object->setPortList([this] {
            return std::vector<std::shared_ptr<SerialPortInterface>>{m_other, m_port};
        });
    }

    void TearDown() override {
        // As the core's close does: the object lets go of the core before it goes.
        m_object->setDeviceCommunication(nullptr);
        delete DeviceCommunication::getInstance();
        Platform::MainQueue::shared().runPending();
        m_object.reset();
        Platform::MainQueue::shared().runPending();
        LinkFixture::TearDown();
    }

    // Pumps until the serial login pass ended (its last record) and the loop idles.
    void connectSerial() {
        const size_t logins = countOf(m_listener.records(), "LOGIN_SUCCESS");
        connect(serialProfile(PORT_PATH));
        ASSERT_TRUE(pumpUntil([&] { return countOf(m_listener.records(), "LOGIN_SUCCESS") > logins; }));
        ASSERT_TRUE(waitForLoginPass(logins + 1));
    }

    // The object's first periodic step shows the line's name once, possibly after the login pass
    // ended; later links show nothing while the line has no forwarding.
    bool waitForFirstPeriodicStep() {
        return m_listener.waitFor([](const auto& all) { return findSettingsDisable(all) > 0; }, SOON);
    }

    std::vector<std::string> serialReceivedLog() const {
        std::vector<std::string> received;
        for (const std::string& line : m_log.outLines()) {
            if (line.rfind("[Serial] <<< ", 0) == 0)
                received.push_back(line.substr(13));
        }
        return received;
    }

    std::shared_ptr<FakeSerialPort> m_port = std::make_shared<FakeSerialPort>(PORT_PATH);
    std::shared_ptr<FakeSerialPort> m_other = std::make_shared<FakeSerialPort>("/dev/ttyFAKE1");
    std::unique_ptr<DeviceCommunicationObject> m_object;
};

// Connecting opens the profile's port at 57600 8N1, logs in at once and sends the queries
// through the port.
TEST_F(SerialLink, ConnectOpensThePortAndLogsIn) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    EXPECT_EQ(linkEvents(),
              (std::vector<std::string>{"CONNECTING", "CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}));
    EXPECT_EQ(m_port->baudRate(), 57600u);
    EXPECT_EQ(m_port->parity(), 0u);
    EXPECT_EQ(m_port->numberOfStopBits(), 1u);
    EXPECT_EQ(m_other->openCount(), 0);
    EXPECT_EQ(m_port->writtenLines(), LOGIN_LINES);
    const auto out = m_log.outLines();
    EXPECT_NE(std::find(out.begin(), out.end(), "[Serial] >>> EP UA 1 INQUIRE REG_STATUS\r"), out.end());
    EXPECT_TRUE(m_object->isOnline());
    // Whatever the port does with it, a serial send counts as sent.
    m_port->close();
    EXPECT_EQ(m_object->sendCommand("INQUIRE HOOK"), 1);
}

// Replies are cut at the prompt as raw bytes; each message is trimmed of ASCII white space,
// keeps its inner line breaks, and is one line to the core.
TEST_F(SerialLink, RepliesAreCutAtThePrompt) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    const struct {
        std::vector<std::string> chunks;
        std::vector<std::string> messages;
    } cases[] = {
        {{"A\n\r=", "> "}, {"A"}},
        {{"\r\n  X  \r\n\n\r=> "}, {"X"}},
        {{"\xC3", "\xA9\n\r=> "}, {"\xC3\xA9"}},
        {{"one\r\ntwo\n\r=> \n\r=> "}, {"one\r\ntwo", ""}},
        {{std::string(65537, 'A'), "ok\n\r=> "}, {"ok"}},
        {{"EP UA 1 SETTINGS DISPLAY_NAME Lobby\n\r=> tail"}, {"EP UA 1 SETTINGS DISPLAY_NAME Lobby"}},
    };
    size_t seen = 0;
    for (const auto& test : cases) {
        for (size_t i = 0; i < test.chunks.size(); ++i) {
            m_port->deliver(test.chunks[i]);
            Platform::MainQueue::shared().runPending();
            // Nothing before the prompt completes.
            if (i + 1 < test.chunks.size()) {
                EXPECT_EQ(serialReceivedLog().size(), seen);
            }
        }
        std::vector<std::string> received = serialReceivedLog();
        received.erase(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(seen));
        EXPECT_EQ(received, test.messages);
        seen += test.messages.size();
    }
    const auto out = m_log.outLines();
    EXPECT_EQ(std::count_if(out.begin(), out.end(),
                            [](const auto& line) { return line.find("Dropped") != line.npos; }),
              1);
    const auto records = m_listener.records();
    const auto named =
        std::find_if(records.begin(), records.end(), [](const auto& r) { return r.pn == "DISPLAY_NAME"; });
    ASSERT_NE(named, records.end());
    EXPECT_EQ(named->payload, "LOBBY");
    EXPECT_EQ(countOf(records, "DISPLAY_NAME"), 1u);
}

// The core's close reports CLOSE, then the port's own "Connection closed"; a port error or a
// request's time-out reports twice and the next connect logs in again.
TEST_F(SerialLink, CloseAndPortErrors) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    ASSERT_TRUE(waitForFirstPeriodicStep());
    m_listener.clear();
    m_device->closeConnection();
    ASSERT_TRUE(pumpUntilCount("ERROR", 1));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CLOSE", "ERROR"}));
    EXPECT_EQ(m_listener.records().back().payload, "Connection closed");

    const struct {
        const char* report;
        void (FakeSerialPort::*trouble)();
    } cases[] = {{"Failed to connect to device", &FakeSerialPort::fail},
                 {"Connection timeout", &FakeSerialPort::timeOutRequest}};
    int opens = 1;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.report);
        ASSERT_NO_FATAL_FAILURE(connectSerial());
        m_listener.clear();
        ((*m_port).*test.trouble)();
        ASSERT_TRUE(pumpUntilCount("ERROR", 2));
        EXPECT_EQ(linkEvents(), (std::vector<std::string>{"ERROR", "ERROR"}));
        const auto records = m_listener.records();
        EXPECT_EQ(records[0].payload, test.report);
        EXPECT_EQ(records[1].payload, "Connection closed");
        // A current failure takes the link down without a reset, a CLOSE or a new attempt.
        EXPECT_FALSE(m_device->isConnected());
        EXPECT_FALSE(m_port->isOpen());
        EXPECT_EQ(m_port->openCount(), ++opens);
        EXPECT_TRUE(noRecordFor(QUIET));
    }

    ASSERT_NO_FATAL_FAILURE(connectSerial());
    EXPECT_EQ(countOf(m_listener.records(), "LOGIN_SUCCESS"), 1u);
}

// A periodic step whose link goes down while it sends its keep-alive shows nothing of that
// link afterwards (here the forwarding display that fell due with it).
TEST_F(SerialLink, AStepOfALinkThatWentDownShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    ASSERT_TRUE(waitForFirstPeriodicStep());
    m_listener.clear();
    m_port->deliver("EP UA 1 INQUIRE_RESULT CFW_STATUS ACTIVE;CFW-UNCONDITIONAL;SIP:300@PBX\n\r=> ");
    ASSERT_TRUE(pumpUntilCount("CFW_STATUS", 1));

    WriteHold hold(*m_port, "DISPLAY_NAME");
    m_clock.advanceSeconds(15);
    ASSERT_TRUE(hold.waitUntilHeld());
    m_listener.clear();
    m_port->fail();
    ASSERT_TRUE(pumpUntilCount("ERROR", 2));
    hold.open();
    // What the released step still shows, it shows at once.
    EXPECT_FALSE(m_listener.waitFor([](const auto& all) { return all.size() > 2; }, QUIET));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"ERROR", "ERROR"}));
}

// A port error while a login is under way ends that login there, whether it is held before it
// logs in or in its first write: none of its records follows the ERROR, none of its queries
// reaches the port opened again for the next link, and that link logs in itself.
TEST_F(SerialLink, ALoginOfALinkThatWentDownShowsAndSendsNothingMore) {
    for (const bool inWrite : {true, false}) {
        SCOPED_TRACE(inWrite ? "held in its first write" : "held before it logs in");
        m_port = std::make_shared<FakeSerialPort>(PORT_PATH);
        ThreadGate step;
        std::optional<WriteHold> write;
        ThreadGate& hold = inWrite ? write.emplace(*m_port, "\r\n") : step;
        if (!inWrite)
            step.holdAt(*m_device, DeviceCommunication::TestPoint::LoginStep);
        connect(serialProfile(PORT_PATH));
        ASSERT_TRUE(pumpUntil([&] { return hold.isHeld(); }));
        m_listener.clear();
        m_port->fail();
        ASSERT_TRUE(pumpUntilCount("ERROR", 2));
        // The next link opens the port again while the old login is still held.
        connect(serialProfile(PORT_PATH));
        ASSERT_TRUE(pumpUntilCount("CONNECTED", 1));
        hold.open();

        EXPECT_TRUE(waitForLoginPass(1));
        std::vector<std::string> words;
        for (const CapturedRecord& record : m_listener.records()) {
            words.push_back(record.pn);
            if (record.pn == "LOGIN_SUCCESS")
                break;
        }
        EXPECT_EQ(words, (std::vector<std::string>{"ERROR", "ERROR", "CONNECTING", "CONNECTING", "CONNECTED",
                                                   "LOGIN_SUCCESS"}));
        EXPECT_EQ(countOf(m_listener.records(), "LOGIN_SUCCESS"), 1u);
        EXPECT_TRUE(m_device->isLoggedIn());
        EXPECT_EQ(m_port->openCount(), 2);
        EXPECT_EQ(m_port->writtenLines(), LOGIN_LINES);
        m_device->setTestPointObserver({});
        m_device->closeConnection();
        Platform::MainQueue::shared().runPending();
    }
}

// Closing the link (the core's close, on the main thread) while the login waits on a port that
// takes no bytes closes the port at once, which ends the write, instead of waiting behind it.
TEST_F(SerialLink, ACloseEndsALoginWriteThePortNeverTakes) {
    WriteHold hold(*m_port, "\r\n", WriteHold::Until::PortClosed);
    connect(serialProfile(PORT_PATH));
    ASSERT_TRUE(pumpUntilCount("LOGIN_SUCCESS", 1));
    ASSERT_TRUE(hold.waitUntilHeld());
    m_device->closeConnection();
    EXPECT_TRUE(hold.endedByClose());
    EXPECT_FALSE(m_port->isOpen());
    EXPECT_EQ(linkEvents().back(), "CLOSE");
    EXPECT_FALSE(m_device->isLoggedIn());
}

// A new link replaces the port: the old port's late "closed" belongs to the old link and is
// dropped with one log line, whether the new link is serial or Telnet.
TEST_F(SerialLink, LateEventsOfAReplacedPortTouchNothing) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    m_listener.clear();
    connect(serialProfile(PORT_PATH));
    ASSERT_TRUE(pumpUntilCount("LOGIN_SUCCESS", 1));
    ASSERT_TRUE(pumpUntil([&] { return Platform::MainQueue::shared().pendingCount() == 0; }));
    EXPECT_EQ(countOf(m_listener.records(), "ERROR"), 0u);
    EXPECT_TRUE(m_device->isConnected());
    const auto ignored = [&] {
        const auto out = m_log.outLines();
        return std::count_if(out.begin(), out.end(), [](const auto& line) {
            return line.rfind("[Serial] Ignored status 2", 0) == 0;
        });
    };
    EXPECT_EQ(ignored(), 1);

    FakeBox box;
    m_listener.clear();
    connect(profileP(box.port()));
    ASSERT_TRUE(waitForLoginPass(1));
    // Only now does the serial port's "closed" reach the main thread.
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(ignored(), 2);
    EXPECT_EQ(countOf(m_listener.records(), "ERROR"), 0u);
    EXPECT_TRUE(m_device->isConnected());
    EXPECT_EQ(box.connectionCount(), 1);
}

// Data of a replaced port is discarded, and its error never closes the newer port.
TEST_F(SerialLink, AReplacedBindingNeitherDeliversNorCloses) {
    ASSERT_NO_FATAL_FAILURE(connectSerial());
    m_port->deliver("EP UA 1 SETTINGS DISPLAY_NAME Old\n\r=> ");
    m_port->fail();
    // The replacement opens the same port again before those events are delivered.
    m_object->closeSerialConnection();
    m_object->openSerialConnection();
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(countOf(m_listener.records(), "DISPLAY_NAME"), 0u);
    EXPECT_TRUE(m_port->isOpen());
}

// A profile whose path names no present port gets the core's CONNECTING and nothing else;
// a removed device is closed; without a core nothing happens at all.
TEST_F(SerialLink, MissingPortsRemovalAndNoCore) {
    connect(serialProfile("/dev/ttyGONE"));
    ASSERT_TRUE(pumpUntilCount("CONNECTING", 1));
    EXPECT_TRUE(noRecordFor(QUIET));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING"}));

    ASSERT_NO_FATAL_FAILURE(connectSerial());
    ASSERT_TRUE(waitForFirstPeriodicStep());
    m_listener.clear();
    m_port->remove();
    ASSERT_TRUE(pumpUntilCount("ERROR", 1));
    EXPECT_FALSE(m_port->isOpen());
    EXPECT_EQ(m_listener.records().back().payload, "Connection closed");

    m_object->setDeviceCommunication(nullptr);
    m_listener.clear();
    m_object->call("200");
    m_object->openSerialConnection();
    m_object->sendCommandUsingSerialPort("X\r\n");
    EXPECT_FALSE(m_object->isOnline());
    EXPECT_EQ(m_object->sendCommand("X"), -1);
    Platform::MainQueue::shared().runPending();
    EXPECT_TRUE(m_listener.records().empty());
}

} // namespace
