#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/common/Codes.h"
#include "support/CoreFixture.h"
#include "support/PostCollector.h"
#include "support/fakebox/FakeBox.h"

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The words of the posts of one type, in arrival order.
std::vector<std::string> wordsOfType(const std::vector<PostCollector::Post>& posts, int64_t type) {
    std::vector<std::string> words;
    for (const PostCollector::Post& post : posts) {
        if (post.info != nullptr && post.info->notificationType() == type)
            words.push_back(post.info->pnStr());
    }
    return words;
}

// Whether a post's payload holds the text.
bool hasPayload(const std::vector<PostCollector::Post>& posts, const std::string& payload) {
    for (const PostCollector::Post& post : posts) {
        if (post.info != nullptr && post.info->payLoadStr().find(payload) != std::string::npos)
            return true;
    }
    return false;
}

unsigned modeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

class EndToEndThreadsTest : public CoreFixture {};

// The whole road of a call: the store, the auto-connect, the login, a placed call the box
// answers, its end written to the call log, and the close, all against the real file and a
// real socket.
TEST_F(EndToEndThreadsTest, APlacedCallIsLoggedForItsContactAndTheCloseIsLast) {
    fakebox::FakeBox box;
    PostCollector posts;
    ASSERT_NO_FATAL_FAILURE(openCore());
    EXPECT_EQ(modeOf(dataFolder()), 0700u);
    EXPECT_EQ(modeOf(databasePath()), 0600u);
    EXPECT_EQ(scalar("select REVISION from MIGRATION"), "6");

    Contact ann("Ann", "", "Lee", "Acme");
    ann.numbers()[0]->setNumber("200");
    ASSERT_TRUE(ContactManager::addContact(ann));
    ConnectionSettings desk("Desk", ConnectionType::TELNET, "127.0.0.1", box.port(), 0, "", PhoneType::VOIP,
                            "", "admin", "s3cret", "1", true, true);
    desk.setSpeakerGroupName("SPK");
    desk.setMicrophoneGroupName("MIC");
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(desk));

    ASSERT_TRUE(TessmarkDialerCore::postDidLaunch());
    ASSERT_TRUE(posts.waitFor(
        [](const auto& seen) { return wordsOfType(seen, NotificationType::CONNECTION).size() >= 3; }));
    EXPECT_EQ(wordsOfType(posts.posts(), NotificationType::CONNECTION),
              (std::vector<std::string>{"CONNECTING", "CONNECTED", "LOGIN_SUCCESS"}));

    // The answers to the queries after the login come in order: the mute state is the last,
    // after the one that reports every party idle.
    ASSERT_TRUE(posts.waitFor([](const auto& seen) { return hasPayload(seen, "EP MIC LEVEL MUTE 0"); }));

    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    device.call("200");
    ASSERT_TRUE(box.waitForLine("EP UA 1 KEY KEY_CALL 200", 10s));
    ASSERT_TRUE(posts.waitFor([](const auto& seen) { return hasPayload(seen, "1;ACTIVE:200:0:0"); }));
    const LinePartyPtr party = device.line()->lineParties().at(0);
    EXPECT_EQ(party->state(), StateId::ACTIVE);
    EXPECT_EQ(party->callParty(), "200");
    ASSERT_NE(party->contact(), nullptr);
    EXPECT_EQ(party->contact()->firstName(), "Ann");

    box.send("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;IDLE\r\n");
    ASSERT_TRUE(posts.waitFor([](const auto& seen) { return hasPayload(seen, "1;IDLE"); }));
    const auto calls = CallLogManager::allCallLogs();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0]->callNumber(), "200");
    EXPECT_EQ(calls[0]->callType(), CallType::PLACED);
    EXPECT_EQ(calls[0]->contactName(), "Ann  Lee");
    EXPECT_EQ(calls[0]->company(), "Acme");
    EXPECT_EQ(ContactManager::contactByNumber("200")->callFrequency(), 1);

    // The device threads are joined by the close, so nothing can follow its own records.
    ASSERT_TRUE(closeCore());
    DeviceCommandListener::getInstance().waitUntilDelivered();
    const auto all = posts.posts();
    ASSERT_GE(all.size(), 4u);
    std::vector<int64_t> lastTypes;
    for (size_t i = all.size() - 4; i < all.size(); ++i)
        lastTypes.push_back(all[i].info->notificationType());
    EXPECT_EQ(lastTypes, (std::vector<int64_t>{5, 3, 4, 0}));
    EXPECT_EQ(all.back().info->pnStr(), "CLOSE");
    EXPECT_EQ(box.connectionCount(), 1);
    EXPECT_TRUE(box.waitForPeerClose(1, 10s));
}

} // namespace
