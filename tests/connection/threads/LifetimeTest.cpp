#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "connection/LinkFixture.h"

#include <thread>

namespace {

using fakebox::Blackhole;
using fakebox::FakeBox;
using fakebox::RefusingPort;

class Lifetime : public LinkFixture {
protected:
    // Destroys the device object and says how long that took.
    std::chrono::milliseconds destroyDevice() {
        const auto start = std::chrono::steady_clock::now();
        delete m_device;
        m_device = nullptr;
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                     start);
    }

    // Stores the profile (without keys or commands of its own), or updates it when stored.
    static bool store(CPPConnectionSettings& settings) {
        std::vector<CPPCustomKey> keys;
        CPPMuteCommand mute;
        CPPVolumeCommand up;
        CPPVolumeCommand down;
        CPPConnectionSettingsManager& manager = CPPConnectionSettingsManager::getInstance();
        return settings.getId() == 0 ? manager.addConnectionSettings(settings, keys, mute, up, down)
                                     : manager.updateConnectionSettings(settings, keys, mute, up, down);
    }
};

// Destruction cuts a retry pause or a connect wait (at their product lengths), ends a live
// loop with a FIN to the box, and nothing is reported from the moment it starts.
TEST_F(Lifetime, DestructionStopsEveryThreadWithinASecond) {
    struct Case {
        const char* name;
        std::function<uint16_t()> port;
        const char* lastEvent;
    };
    RefusingPort refusing;
    Blackhole blackhole;
    FakeBox box;
    const std::vector<Case> cases = {
        {"retry pause", [&] { return refusing.port(); }, "CONNECTING"},
        {"connect wait", [&] { return blackhole.port(); }, "CONNECTING"},
        {"live loop", [&] { return box.port(); }, "LOGIN_SUCCESS"},
    };
    int boxConnections = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_device = DeviceCommunication::getInstance();
        m_device->setListener(&m_listener);
        m_device->setTimings(DeviceTimings{});
        m_listener.clear();
        connect(profileP(test.port()));
        ASSERT_TRUE(waitForCount(test.lastEvent, 1));
        if (test.port() == box.port()) {
            ASSERT_TRUE(waitForLoginPass(1));
            // The fresh object's first periodic step follows the login pass.
            ASSERT_TRUE(
                m_listener.waitFor([](const auto& all) { return findSettingsDisable(all) > 0; }, SOON));
            ++boxConnections;
        } else {
            // Give the attempt time to reach its pause or wait.
            EXPECT_TRUE(noRecordFor(QUIET));
        }
        const size_t before = m_listener.records().size();
        EXPECT_LT(destroyDevice(), 1s);
        EXPECT_EQ(m_listener.records().size(), before);
        if (boxConnections > 0) {
            EXPECT_TRUE(box.waitForPeerClose(boxConnections, SOON));
        }
    }
}

// A close (the core's, on the main thread) never waits out the receive pass's poll period.
TEST_F(Lifetime, CloseDoesNotWaitForThePoll) {
    m_device->setTimings(DeviceTimings{});
    FakeBox box;
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        m_device->closeConnection();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
        EXPECT_TRUE(box.waitForPeerClose(round + 1, SOON));
        ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    }
}

// The core's close of a link that never came up still resets the line and says CLOSE.
TEST_F(Lifetime, CloseWithoutALinkStillResetsAndReports) {
    m_device->closeConnection();
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{
                  {5, 1, 20, "INQUIRE_RESULT", "1", "CFW_STATUS", "INACTIVE", ""},
                  {3, 1, 20, "SETTINGS", "1", "DISABLE", "", ""},
                  {4, 1, 20, "INQUIRE_RESULT", "1", "ACTIVE_PARTIES", "", ""},
                  {0, 3, 20, "CONNECTION", "", "CLOSE", "Close connect to halvarsund box.", ""}}));
}

// Editing the current profile in the store re-sends the volume and mute availability at
// once, link down or not; editing another profile changes nothing. After destruction the
// store calls nobody.
TEST_F(Lifetime, ProfileEditsReachTheCurrentProfileOnly) {
    CPPConnectionSettings current = profileP(1);
    current.setId(0);
    ASSERT_TRUE(store(current));
    CPPConnectionSettings other = profileP(1);
    other.setId(0);
    other.setRoomName("Other");
    ASSERT_TRUE(store(other));
    m_device->setCurrentConnectionSettings(std::make_shared<const CPPConnectionSettings>(current));

    other.setSpeakerGroupName("");
    ASSERT_TRUE(store(other));
    EXPECT_TRUE(m_listener.records().empty());

    current.setSpeakerGroupName("");
    ASSERT_TRUE(store(current));
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{{9, 3, 20, "NOTIFICATION", "", "DISABLE", "", ""},
                                           {8, 3, 20, "NOTIFICATION", "", "ENABLE", "ENABLE", ""}}));
    EXPECT_EQ(m_device->getCurrentConnectionSettings()->getSpeakerGroupName(), "");

    delete m_device;
    m_device = nullptr;
    m_listener.clear();
    ASSERT_TRUE(store(current));
    EXPECT_TRUE(m_listener.records().empty());
}

// Auto-connect takes the first flagged profile by room name.
TEST_F(Lifetime, AutoConnectPicksTheFirstFlaggedByRoomName) {
    m_device->autoConnect();
    EXPECT_EQ(m_device->getCurrentConnectionSettings(), nullptr);
    RefusingPort refusing;
    for (const char* room : {"Zeta", "alpha", "Beta"}) {
        CPPConnectionSettings settings = profileP(refusing.port());
        settings.setRoomName(room);
        settings.setId(0);
        settings.setIsAutoConnect(std::string(room) != "alpha");
        ASSERT_TRUE(store(settings));
    }
    m_device->autoConnect();
    ASSERT_NE(m_device->getCurrentConnectionSettings(), nullptr);
    EXPECT_EQ(m_device->getCurrentConnectionSettings()->getRoomName(), "Beta");
}

// User actions and snapshots from other threads while links come and go: no race, no lost
// line, and every thread gone with the object.
TEST_F(Lifetime, UserThreadsRaceTheLinkThreads) {
    FakeBox box;
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    std::atomic<bool> watching{true};
    std::thread watcher([&] {
        while (watching.load()) {
            const CPPLine snapshot(CPPLine::getInstance());
            (void)snapshot.getLineParties();
            (void)m_device->getCurrentConnectionSettings();
            (void)m_device->isConnected();
        }
    });
    std::thread user([&] {
        for (int round = 0; round < 200; ++round) {
            m_device->queryDoNotDisturbMode();
            m_device->volumePress(true);
            m_device->volumeRelease(true);
            m_device->call("+200");
        }
    });
    std::thread reconnecter([&] {
        for (int round = 0; round < 3; ++round) {
            connect(profileP(box.port()));
            m_clock.advanceSeconds(5);
        }
    });
    user.join();
    reconnecter.join();
    // Commands that reach the box mid-login may spoil that login (they are sent as they come);
    // a connect after the storm must still log in.
    m_listener.clear();
    connect(profileP(box.port()));
    EXPECT_TRUE(waitForLoginPass(1)) << testing::PrintToString(linkEvents());
    watching.store(false);
    watcher.join();
    delete m_device;
    m_device = nullptr;
    EXPECT_TRUE(box.waitForPeerClose(box.connectionCount(), SOON));
}

} // namespace
