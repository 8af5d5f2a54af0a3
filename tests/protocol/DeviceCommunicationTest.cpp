#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "TestProfiles.h"
#include "support/CapturingLog.h"
#include "support/CapturingNotificationListener.h"
#include "support/CapturingSerialBridge.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class DeviceCommunicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_device = DeviceCommunication::getInstance();
        m_device->setListener(&m_listener);
        m_device->setSerialBridge(&m_bridge);
    }
    void TearDown() override { delete DeviceCommunication::getInstance(); }

    void useProfile(int32_t connectionType) {
        CPPConnectionSettings settings = voipProfile();
        settings.setConnectionType(connectionType);
        m_device->setCurrentConnectionSettings(std::make_shared<const CPPConnectionSettings>(settings));
    }

    DeviceCommunication* m_device = nullptr;
    CapturingNotificationListener m_listener;
    CapturingSerialBridge m_bridge;
    CapturingLog m_log;
};

// Every command leaves with one "\r\n" appended, the caller's text untouched; a serial send
// counts as done once the bridge has it.
TEST_F(DeviceCommunicationTest, SerialSendsAppendTheLineEnd) {
    useProfile(PhoneType::TELCO);
    const std::string command = "INQUIRE HOOK";
    EXPECT_EQ(m_device->sendCommand(command), 1);
    EXPECT_EQ(m_device->sendCommand("\r\n"), 1);
    EXPECT_EQ(command, "INQUIRE HOOK");
    EXPECT_EQ(m_bridge.sent(), (std::vector<std::string>{"INQUIRE HOOK\r\n", "\r\n\r\n"}));
    EXPECT_TRUE(m_listener.records().empty());
    EXPECT_TRUE(m_log.outLines().empty());
}

// Without a profile or a bridge nothing is sent and nothing is reported.
TEST_F(DeviceCommunicationTest, NoProfileOrNoBridgeFailsSilently) {
    EXPECT_EQ(m_device->sendCommand("KEY KEY_HOOK"), -1);
    useProfile(0);
    m_device->setSerialBridge(nullptr);
    EXPECT_EQ(m_device->sendCommand("KEY KEY_HOOK"), -1);
    EXPECT_TRUE(m_bridge.sent().empty());
    EXPECT_TRUE(m_listener.records().empty());
    EXPECT_TRUE(m_log.outLines().empty());
}

// Telnet without a connected socket: the failure is logged and reported with the full line.
TEST_F(DeviceCommunicationTest, TelnetSendWithoutSocketReportsTheFailure) {
    useProfile(PhoneType::VOIP);
    EXPECT_EQ(m_device->sendCommand("EP UA 1 KEY KEY_HOOK"), -1);
    EXPECT_TRUE(m_bridge.sent().empty());
    EXPECT_EQ(m_log.outLines(), (std::vector<std::string>{"[TELNET] Status code: -1"}));
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{{1, 3, 20, "NOTIFICATION", "", "ERROR",
                                            "Cannot send command: EP UA 1 KEY KEY_HOOK\r\n", ""}}));
}

// A replaced profile stays whole for whoever still holds the old snapshot.
TEST_F(DeviceCommunicationTest, ProfileSnapshotsOutliveTheirReplacement) {
    useProfile(PhoneType::TELCO);
    const std::shared_ptr<const CPPConnectionSettings> before = m_device->getCurrentConnectionSettings();
    useProfile(PhoneType::VOIP);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->getConnectionType(), ConnectionType::SERIAL);
    EXPECT_EQ(m_device->getCurrentConnectionSettings()->getConnectionType(), ConnectionType::TELNET);
    m_device->setCurrentConnectionSettings(nullptr);
    EXPECT_EQ(m_device->getCurrentConnectionSettings(), nullptr);
}

TEST_F(DeviceCommunicationTest, DispatchHandsRecordsToTheListenerOnly) {
    CommandParser builder;
    m_device->dispatchNotification(nullptr);
    m_device->dispatchNotification(builder.makeConnectionNotification("CONNECTED", "up"));
    m_device->setListener(nullptr);
    m_device->dispatchNotification(builder.makeConnectionNotification("CLOSE", "down"));
    EXPECT_EQ(m_listener.records(),
              (std::vector<CapturedRecord>{{0, 3, 20, "CONNECTION", "", "CONNECTED", "up", ""}}));
}

// The instance is process-wide until destroyed; a later call makes a fresh one.
TEST_F(DeviceCommunicationTest, InstanceIsClearedByItsDestructor) {
    EXPECT_EQ(DeviceCommunication::getInstance(), m_device);
    m_device->setRedialPending(true);
    EXPECT_TRUE(m_device->takeRedialPending());
    EXPECT_FALSE(m_device->isRedialPending());
    EXPECT_FALSE(m_device->takeRedialPending());
    delete m_device;
    m_device = DeviceCommunication::getInstance();
    EXPECT_FALSE(m_device->isRedialPending());
    EXPECT_EQ(m_device->getCurrentConnectionSettings(), nullptr);
}

} // namespace
