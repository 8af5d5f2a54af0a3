#include "Platform/ThreadGroup.h"
#include "connection/LinkFixture.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

using fakebox::Blackhole;
using fakebox::DropKind;
using fakebox::FakeBox;
using fakebox::FakeBoxScript;
using fakebox::LoginStep;
using fakebox::RefusingPort;

using TestPoint = DeviceCommunication::TestPoint;

class Reconnect : public LinkFixture {
protected:
    // Every record's pn from the line reset before the first CLOSE on.
    static std::vector<std::string> fromFirstClose(const std::vector<CapturedRecord>& records) {
        const auto close =
            std::find_if(records.begin(), records.end(), [](const auto& r) { return r.pn == "CLOSE"; });
        if (close == records.end())
            return {};
        std::vector<std::string> words;
        for (auto it = close - std::min<std::ptrdiff_t>(3, close - records.begin()); it != records.end();
             ++it)
            words.push_back(it->pn);
        return words;
    }
    std::vector<std::string> fromFirstClose() const { return fromFirstClose(m_listener.records()); }

    // The link events of links that end before their login, then the words that follow.
    static std::vector<std::string> failedLinks(int count, std::vector<std::string> then) {
        std::vector<std::string> events;
        for (int link = 0; link < count; ++link)
            events.insert(events.end(), {"CONNECTING", "CONNECTED", "CLOSE", "ERROR"});
        events.insert(events.end(), then.begin(), then.end());
        return events;
    }
};

// A refused port is tried six times, each failure reported after its pause, then given up;
// a box that never answers the handshake times out once, without retry.
TEST_F(Reconnect, RefusedRetriesSixTimesAndASilentHandshakeOnce) {
    {
        RefusingPort refusing;
        connect(profileP(refusing.port()));
        ASSERT_TRUE(waitForCount("TIMEOUT", 1));
        std::vector<std::string> expected;
        for (int attempt = 0; attempt < 6; ++attempt) {
            expected.push_back("CONNECTING");
            expected.push_back("ERROR");
        }
        expected.push_back("TIMEOUT");
        EXPECT_EQ(linkEvents(), expected);
        EXPECT_TRUE(noRecordFor(QUIET));
        EXPECT_FALSE(m_device->isConnected());
    }
    m_listener.clear();
    Blackhole blackhole;
    connect(profileP(blackhole.port()));
    ASSERT_TRUE(waitForCount("TIMEOUT", 1));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "TIMEOUT"}));
    EXPECT_TRUE(noRecordFor(QUIET));
    EXPECT_FALSE(m_device->isConnected());
}

// Whatever login step the box drops at, by FIN or by reset, the link is closed, reconnected
// and logged in afresh on the next connection.
TEST_F(Reconnect, EveryDropDuringLoginIsFollowedByAFreshLogin) {
    for (const LoginStep step : {LoginStep::BeforeUsername, LoginStep::AfterUserName,
                                 LoginStep::AfterPassword, LoginStep::AfterLevel, LoginStep::AfterPrompt}) {
        for (const DropKind kind : {DropKind::Fin, DropKind::Reset}) {
            SCOPED_TRACE(testing::Message()
                         << "step " << static_cast<int>(step) << ", kind " << static_cast<int>(kind));
            FakeBoxScript script;
            script.dropAt = step;
            script.dropKind = kind;
            FakeBox box(script);
            m_listener.clear();
            connect(profileP(box.port()));
            ASSERT_TRUE(box.waitForConnections(2, SOON));
            // The second connection's login (the first may have logged in before it was dropped).
            ASSERT_TRUE(m_listener.waitFor(
                [](const auto& all) {
                    std::vector<std::string> words;
                    for (const CapturedRecord& record : all) {
                        if (record.bn == "CONNECTION")
                            words.push_back(record.pn);
                    }
                    return std::count(words.begin(), words.end(), "CONNECTING") >= 2 &&
                           words.back() == "LOGIN_SUCCESS";
                },
                SOON));
            ASSERT_TRUE(waitForLoginPass(countOf(m_listener.records(), "LOGIN_SUCCESS")));
            std::vector<std::string> events = linkEvents();
            ASSERT_GE(events.size(), 5u);
            EXPECT_EQ(std::vector<std::string>(events.end() - 3, events.end()),
                      (std::vector<std::string>{"CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}));
            // A link that ended before the login failed its attempt: the pause and ERROR follow.
            EXPECT_EQ(events[events.size() - 4], step == LoginStep::AfterPrompt ? "CLOSE" : "ERROR");
            // A reset racing the handshake fails the attempt itself, which is retried.
            if (events[events.size() - 5] == "CONNECTING") {
                EXPECT_EQ(step, LoginStep::BeforeUsername);
                EXPECT_EQ(kind, DropKind::Reset);
            } else {
                const std::vector<std::string> after = fromFirstClose();
                ASSERT_GE(after.size(), 4u);
                EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 4), RESET_AND_CLOSE);
                EXPECT_EQ(countOf(m_listener.records(), "CLOSE"), 1u);
            }
            EXPECT_EQ(box.lines(2).front(), "admin");
            EXPECT_TRUE(m_device->isLoggedIn());
            EXPECT_EQ(box.connectionCount(), 2);
            m_device->closeConnection();
        }
    }
}

// A box that drops every link at its user-name prompt is tried like one that refuses: the
// pause after each link, six attempts in all, then TIMEOUT and no more dialling.
TEST_F(Reconnect, LinksEndingBeforeTheLoginAreFailedAttempts) {
    for (const DropKind kind : {DropKind::Fin, DropKind::Reset}) {
        SCOPED_TRACE(static_cast<int>(kind));
        FakeBoxScript script;
        script.dropAt = LoginStep::AfterUserName;
        script.dropKind = kind;
        script.dropConnections = 1000;
        FakeBox box(script);
        DeviceTimings timings = testTimings();
        timings.retryPause = 40ms;
        m_device->setTimings(timings);
        m_listener.clear();
        const auto start = std::chrono::steady_clock::now();
        connect(profileP(box.port()));
        ASSERT_TRUE(waitForCount("TIMEOUT", 1));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 6 * timings.retryPause);
        EXPECT_EQ(linkEvents(), failedLinks(6, {"TIMEOUT"}));
        EXPECT_TRUE(box.expectNothingWithin(QUIET));
        EXPECT_EQ(box.connectionCount(), 6);
        EXPECT_EQ(box.lines(6), (std::vector<std::string>{"admin"}));
        EXPECT_FALSE(m_device->isConnected());
    }
}

// After the login: a reset, the box's end of stream, or 21 s of silence take the link down
// and bring it up again; 20 s of silence do not. The first link's one-off name record is not
// sent again.
TEST_F(Reconnect, DeadLinksAfterLoginReconnect) {
    struct Case {
        const char* name;
        std::function<void(FakeBox&, FakeClock&)> kill;
    };
    const std::vector<Case> cases = {
        {"reset", [](FakeBox& box, FakeClock&) { box.drop(DropKind::Reset); }},
        {"fin", [](FakeBox& box, FakeClock&) { box.drop(DropKind::Fin); }},
        {"silence",
         [](FakeBox& box, FakeClock& clock) {
             clock.advanceSeconds(20);
             EXPECT_TRUE(box.waitForLine("EP UA 1 SETTINGS DISPLAY_NAME", SOON, 2));
             EXPECT_FALSE(box.waitForConnections(2, QUIET));
             clock.advanceSeconds(1);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        FakeBoxScript script;
        script.replies.clear();
        FakeBox box(script);
        m_listener.clear();
        ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
        test.kill(box, m_clock);
        ASSERT_TRUE(waitForLoginPass(2));
        const std::vector<std::string> after = fromFirstClose();
        ASSERT_GE(after.size(), 7u);
        EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 7),
                  (std::vector<std::string>{"CFW_STATUS", "DISABLE", "ACTIVE_PARTIES", "CLOSE", "CONNECTING",
                                            "CONNECTED", "LOGIN_SUCCESS"}));
        EXPECT_EQ(box.lines(2).front(), "admin");
        // Our end of the first connection is closed too (a reset one the box closed itself).
        if (test.name != std::string("reset")) {
            EXPECT_TRUE(box.waitForPeerClose(1, SOON));
        }
        EXPECT_TRUE(noRecordFor(QUIET));
        EXPECT_EQ(findSettingsDisable(m_listener.records()), test.name == std::string("reset") ? 2u : 1u)
            << "only the reset's own DISABLE may follow the first periodic step";
        m_device->closeConnection();
    }
}

// A new connect during a failed attempt's pause, or during a connect wait, lets that run out
// and ends the old attempts; only then is the new profile dialled.
TEST_F(Reconnect, ANewConnectWaitsOutTheRunningPauseOrWait) {
    RefusingPort refusing;
    Blackhole blackhole;
    const struct {
        const char* name;
        uint16_t port;
        std::vector<std::string> events;
    } cases[] = {
        {"pause", refusing.port(), {"CONNECTING", "ERROR", "CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}},
        {"wait", blackhole.port(), {"CONNECTING", "TIMEOUT", "CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}},
    };
    DeviceTimings timings = testTimings();
    timings.retryPause = 300ms;
    timings.connectWait = 300ms;
    m_device->setTimings(timings);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeBox box;
        m_listener.clear();
        const auto start = std::chrono::steady_clock::now();
        connect(profileP(test.port));
        ASSERT_TRUE(waitForCount("CONNECTING", 1));
        connect(profileP(box.port()));
        ASSERT_TRUE(box.waitForConnections(1, SOON));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
        ASSERT_TRUE(waitForLoginPass(1));
        EXPECT_EQ(linkEvents(), test.events);
        m_device->closeConnection();
    }
}

// The user connects as a link dies, and the connect takes the connect lock before the dead
// link's re-dial. The re-dial must then stand down: closing the user's fresh link, pausing or
// charging it with the dead link's failed attempts would undo the click.
TEST_F(Reconnect, ARedialOvertakenByAConnectStandsDown) {
    const struct {
        const char* name;
        // Where every connection drops; none: after the login, at the test's cue.
        std::optional<LoginStep> dropAt;
        // The re-dial the user's connect overtakes: the one of the link that died last.
        int overtaken;
        std::vector<std::string> before;
        std::vector<std::string> after;
        int connections;
    } cases[] = {
        {"after the login", std::nullopt, 1, {"CLOSE"}, {"CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}, 2},
        {"before the login, two attempts failed", LoginStep::AfterUserName, 3,
         failedLinks(2, {"CONNECTING", "CONNECTED", "CLOSE"}), failedLinks(6, {"TIMEOUT"}), 9},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeBoxScript script;
        script.dropAt = test.dropAt;
        script.dropConnections = 1000;
        FakeBox box(script);
        if (!test.dropAt) {
            ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
        }
        m_listener.clear();
        // Shared with the re-dial threads, which may outlive this iteration.
        struct Overtaken {
            std::mutex mutex;
            std::condition_variable changed;
            int redials = 0;
            std::thread::id thread;
            bool over = false;
        };
        const auto overtaken = std::make_shared<Overtaken>();
        m_device->setTestPointObserver([this, overtaken, number = test.overtaken](TestPoint point) {
            std::unique_lock lock(overtaken->mutex);
            if (point == TestPoint::RedialOver) {
                overtaken->over = overtaken->over || std::this_thread::get_id() == overtaken->thread;
                overtaken->changed.notify_all();
                return;
            }
            if (point != TestPoint::RedialWaiting || ++overtaken->redials != number)
                return;
            // Counted before the test thread wakes, so the user's CONNECTING is not in it yet.
            const size_t connecting = countOf(m_listener.records(), "CONNECTING");
            overtaken->thread = std::this_thread::get_id();
            overtaken->changed.notify_all();
            lock.unlock();
            // Held until the user's connect has the connect lock: it reports CONNECTING.
            EXPECT_TRUE(waitForCount("CONNECTING", connecting + 1));
        });
        const auto waitUntil = [&](const std::function<bool()>& done) {
            std::unique_lock lock(overtaken->mutex);
            return overtaken->changed.wait_for(lock, SOON, done);
        };
        if (test.dropAt)
            connect(profileP(box.port()));
        else
            box.drop(DropKind::Fin);
        ASSERT_TRUE(waitUntil([&] { return overtaken->thread != std::thread::id(); }));
        EXPECT_EQ(linkEvents(), test.before);
        connect(profileP(box.port()));
        ASSERT_TRUE(waitUntil([&] { return overtaken->over; }));
        ASSERT_TRUE(test.dropAt ? waitForCount("TIMEOUT", 1) : waitForLoginPass(1));
        std::vector<std::string> expected = test.before;
        expected.insert(expected.end(), test.after.begin(), test.after.end());
        EXPECT_EQ(linkEvents(), expected);
        EXPECT_EQ(box.connectionCount(), test.connections);
        m_device->closeConnection();
    }
    m_device->setTestPointObserver({});
}

// The user connects while a dead link's close is under way: it has marked the link down and
// not yet let go of its socket. The user's connect dials at once on a socket of its own, which
// the old close must leave alone; the dead link's re-dial, asked for only after the click,
// stands down. Either fault leaves the user with no link, or a link closed and dialled again.
TEST_F(Reconnect, AConnectDuringADeadLinksCloseKeepsItsLink) {
    FakeBoxScript script;
    script.replies.clear();
    FakeBox box(script);
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    m_listener.clear();
    struct Seen {
        std::mutex mutex;
        std::condition_variable changed;
        bool redialOver = false;
    };
    const auto seen = std::make_shared<Seen>();
    ThreadGate close;
    m_device->setTestPointObserver([seen, hold = close.holder()](TestPoint point) {
        if (point == TestPoint::CloseMarkedDown)
            hold();
        if (point != TestPoint::RedialOver)
            return;
        std::lock_guard lock(seen->mutex);
        seen->redialOver = true;
        seen->changed.notify_all();
    });
    box.drop(DropKind::Fin);
    ASSERT_TRUE(close.waitUntilHeld());
    connect(profileP(box.port()));
    ASSERT_TRUE(box.waitForConnections(2, SOON));
    close.open();
    {
        std::unique_lock lock(seen->mutex);
        ASSERT_TRUE(seen->changed.wait_for(lock, SOON, [&] { return seen->redialOver; }));
    }
    EXPECT_TRUE(waitForLoginPass(1));
    EXPECT_TRUE(noRecordFor(QUIET));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "CLOSE", "CONNECTED", "LOGIN_SUCCESS"}));
    EXPECT_EQ(box.connectionCount(), 2);
    EXPECT_TRUE(m_device->isLoggedIn());
    m_device->setTestPointObserver({});
}

// A new connect while the link is up makes the new profile current at once, closes the old
// link (resets, CLOSE, FIN) and connects again. One whose login step is under way when the user
// connects answers nothing more on the old connection: the user name went there before.
TEST_F(Reconnect, ConnectWhileUpReplacesTheLink) {
    for (const bool inLogin : {false, true}) {
        SCOPED_TRACE(inLogin ? "in its login step" : "logged in");
        FakeBox box;
        ThreadGate step;
        if (inLogin) {
            step.holdAt(*m_device, TestPoint::LoginStep);
            connect(profileP(box.port()));
            ASSERT_TRUE(step.waitUntilHeld());
        } else {
            ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
        }
        m_listener.clear();
        CPPConnectionSettings second = profileP(box.port());
        second.setId(8);
        second.setRoomName("Lobby");
        connect(second);
        EXPECT_EQ(m_device->getCurrentConnectionSettings()->getId(), 8);
        if (inLogin) {
            // The held step goes on once the new connect has taken the link from it.
            ASSERT_TRUE(pumpUntil([&] { return !m_device->isConnected(); }));
            step.open();
        }
        ASSERT_TRUE(waitForCount("LOGIN_SUCCESS", 1));
        const std::vector<std::string> after = fromFirstClose();
        ASSERT_GE(after.size(), 6u);
        EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 6),
                  (std::vector<std::string>{"CFW_STATUS", "DISABLE", "ACTIVE_PARTIES", "CLOSE", "CONNECTING",
                                            "CONNECTED"}));
        EXPECT_TRUE(box.waitForPeerClose(1, SOON));
        EXPECT_EQ(box.connectionCount(), 2);
        ASSERT_FALSE(box.lines(2).empty());
        EXPECT_EQ(box.lines(2).front(), "admin");
        if (inLogin) {
            EXPECT_EQ(box.lines(1), std::vector<std::string>{});
        }
        m_device->setTestPointObserver({});
        m_device->closeConnection();
    }
}

// Sending with no link logs the status and reports the line; a send into a reset connection
// fails without a signal that would end the program, and the next pass reconnects. After the
// user's close there is no link to send on either: the closed socket is gone with it.
TEST_F(Reconnect, FailedSendsAreReportedAndEndTheLink) {
    FakeBox box;
    m_device->setCurrentConnectionSettings(
        std::make_shared<const CPPConnectionSettings>(profileP(box.port())));
    EXPECT_EQ(m_device->sendCommand("INQUIRE HOOK"), -1);
    EXPECT_EQ(m_log.outLines().back(), "[TELNET] Status code: -1");
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{
                  {1, 3, 20, "NOTIFICATION", "", "ERROR", "Cannot send command: INQUIRE HOOK\r\n", ""}}));

    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    m_listener.clear();
    box.drop(DropKind::Reset);
    // The keep-alive races the reset into the socket; either way the link comes back.
    m_clock.advanceSeconds(15);
    ASSERT_TRUE(waitForLoginPass(1));
    EXPECT_EQ(countOf(m_listener.records(), "CLOSE"), 1u);

    m_device->closeConnection();
    m_listener.clear();
    EXPECT_EQ(m_device->sendCommand("INQUIRE HOOK"), -1);
    EXPECT_EQ(m_log.outLines().back(), "[TELNET] Status code: -1");
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{
                  {1, 3, 20, "NOTIFICATION", "", "ERROR", "Cannot send command: INQUIRE HOOK\r\n", ""}}));
}

// A refused thread is reported; a receive thread that cannot start takes the link down again
// without a retry.
TEST_F(Reconnect, RefusedThreadsAreReported) {
    FakeBox box;
    Platform::ThreadGroup::failNextSpawns(1);
    connect(profileP(box.port()));
    EXPECT_EQ(m_listener.records(), (std::vector<CapturedRecord>{
                                        {1, 3, 20, "NOTIFICATION", "", "ERROR", "Can't create thread", ""}}));
    m_listener.clear();

    // Refuse the receive thread: the one asked for right after CONNECTED.
    class RefuseAfterConnected final : public DeviceCommandNotificationListener {
    public:
        explicit RefuseAfterConnected(CapturingNotificationListener& next) : m_next(next) {}
        void notify(const CPPNotificationInfo* info) override {
            if (info->getPn() == "CONNECTED")
                Platform::ThreadGroup::failNextSpawns(1);
            m_next.notify(info);
        }

    private:
        CapturingNotificationListener& m_next;
    } refusing(m_listener);
    m_device->setListener(&refusing);
    connect(profileP(box.port()));
    ASSERT_TRUE(waitForCount("CLOSE", 1));
    EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "CONNECTED", "CLOSE"}));
    const auto records = m_listener.records();
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const auto& record) { return record.payload == "Can't create thread"; }),
              1);
    EXPECT_TRUE(box.waitForPeerClose(1, SOON));
    EXPECT_TRUE(noRecordFor(QUIET));
    m_device->setListener(&m_listener);
}

} // namespace
