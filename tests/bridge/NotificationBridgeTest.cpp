#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommandNotificationListenerObjCPP.h"
#include "Logic/common/Codes.h"
#include "support/PostCollector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CPPNotificationInfo> record(int32_t type, const std::string& pn,
                                            const std::string& payload = "") {
    auto info = std::make_unique<CPPNotificationInfo>();
    info->setNotificationType(type);
    info->setCmdType(CommandType::CORE);
    info->setEndPointType(EndPointType::TELCO_RX);
    info->setBn("NOTIFICATION");
    info->setEpn("1");
    info->setPn(pn);
    info->setPayload(payload);
    info->setOriginCmd("EP UA 1 NOTIFICATION " + pn);
    return info;
}

class NotificationBridgeTest : public ::testing::Test {
protected:
    void SetUp() override { m_bridge.setListener(&DeviceCommandListener::getInstance()); }

    PostCollector m_posts;
    DeviceCommandNotificationListenerObjCPP m_bridge;
};

TEST_F(NotificationBridgeTest, CloseRecordArrivesAsTheScreensReadIt) {
    auto info = std::make_unique<CPPNotificationInfo>();
    info->setNotificationType(NotificationType::CONNECTION);
    info->setCmdType(CommandType::CORE);
    info->setBn("CONNECTION");
    info->setPn("CLOSE");
    info->setPayload("Close connect to halvarsund box.");
    m_bridge.notify(info.get());
    // The producer deletes its record at once; the queued copy must not depend on it.
    info.reset();

    ASSERT_TRUE(m_posts.waitForCount(1));
    const PostCollector::Post post = m_posts.posts()[0];
    EXPECT_EQ(post.object, &DeviceCommandListener::getInstance());
    ASSERT_NE(post.info, nullptr);
    EXPECT_EQ(post.info->bnStr(), "CONNECTION");
    EXPECT_EQ(post.info->epnStr(), "");
    EXPECT_EQ(post.info->pnStr(), "CLOSE");
    EXPECT_EQ(post.info->payLoadStr(), "Close connect to halvarsund box.");
    EXPECT_EQ(post.info->originCmdStr(), "");
    EXPECT_EQ(post.info->notificationType(), 0);
    EXPECT_EQ(post.info->notificationCommandType(), 1);
    EXPECT_EQ(post.info->eCommandType(), 1);
    EXPECT_EQ(post.info->eEndPointType(), 1);
}

TEST_F(NotificationBridgeTest, EveryTypeArrivesUnchangedAndInTheOrderProduced) {
    for (int32_t type = 0; type <= 10; ++type)
        m_bridge.notify(record(type, "P" + std::to_string(type), "payload").get());
    ASSERT_TRUE(m_posts.waitForCount(11));
    const auto posts = m_posts.posts();
    for (int32_t type = 0; type <= 10; ++type) {
        const NotificationInfoObject& info = *posts[static_cast<size_t>(type)].info;
        EXPECT_EQ(info.notificationType(), type);
        EXPECT_EQ(info.pnStr(), "P" + std::to_string(type));
        EXPECT_EQ(info.originCmdStr(), "EP UA 1 NOTIFICATION P" + std::to_string(type));
        // Where the record came from never reaches the interface.
        EXPECT_EQ(info.eCommandType() + info.eEndPointType() + info.notificationCommandType(), 3);
    }
}

TEST_F(NotificationBridgeTest, WithoutAListenerRecordsPassUnseen) {
    DeviceCommandNotificationListenerObjCPP unwired;
    unwired.notify(record(NotificationType::PARTY_STATE, "STATE_CHANGE").get());
    m_bridge.notify(record(NotificationType::MUTE, "MUTE").get());
    ASSERT_TRUE(m_posts.waitForCount(1));
    DeviceCommandListener::getInstance().waitUntilDelivered();
    EXPECT_EQ(m_posts.words(), (std::vector<std::string>{"MUTE"}));
}

} // namespace
