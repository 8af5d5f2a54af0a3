#include "connection/LinkFixture.h"

namespace {

using fakebox::FakeBox;
using fakebox::FakeBoxScript;

class Login : public LinkFixture {};

// The whole dialogue in lockstep, the post-login queries in order, and the records the
// interface builds its first screen from.
TEST_F(Login, LockstepDialogueThenQueriesAndRecords) {
    FakeBox box;
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    // A fresh object's first periodic step shows the (still empty) line name once.
    ASSERT_TRUE(m_listener.waitFor([](const auto& all) { return findSettingsDisable(all) > 0; }, SOON));
    ASSERT_TRUE(box.waitForLine("EP MIC LEVEL MUTE", SOON));
    EXPECT_EQ(box.lines(1),
              (std::vector<std::string>{"admin", "s3cret", "", "BinaryMode", "", "",
                                        "EP UA 1 SETTINGS DISPLAY_NAME", "EP UA 1 INQUIRE REG_STATUS",
                                        "EP UA 1 INQUIRE ACTIVE_PARTIES", "EP UA 1 INQUIRE CFW_STATUS",
                                        "EP UA 1 INQUIRE DND_STATUS", "EP SPK LEVEL MAX_GAIN",
                                        "EP SPK LEVEL MIN_GAIN", "EP SPK LEVEL GAIN", "EP MIC LEVEL MUTE"}));
    const std::vector<CapturedRecord> records = m_listener.records();
    ASSERT_GE(records.size(), 8u);
    const std::vector<CapturedRecord> first(records.begin(), records.begin() + 8);
    EXPECT_EQ(first, (std::vector<CapturedRecord>{
                         {0, 3, 20, "CONNECTION", "", "CONNECTING", "Connecting to halvarsund....", ""},
                         {0, 3, 20, "CONNECTION", "", "CONNECTED", "Connected to halvarsund box.", ""},
                         {0, 3, 20, "CONNECTION", "", "LOGIN_SUCCESS", "Login successful", ""},
                         {5, 1, 20, "NOTIFICATION", "", "ENABLE", "", ""},
                         {10, 3, 20, "NOTIFICATION", "", "ENABLE", "", ""},
                         {9, 3, 20, "NOTIFICATION", "", "ENABLE", "", ""},
                         {8, 3, 20, "NOTIFICATION", "", "ENABLE", "ENABLE", ""},
                         {3, 1, 20, "SETTINGS", "1", "DISABLE", "", ""},
                     }));
    // The box's answers come in afterwards.
    EXPECT_TRUE(m_listener.waitFor(
        [](const auto& all) {
            return std::any_of(all.begin(), all.end(),
                               [](const auto& r) { return r.payload == "REGISTERED_PRIMARY"; });
        },
        SOON));
    // The password is on the wire, never in a log line.
    for (const std::string& line : m_log.errLines())
        EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
    for (const std::string& line : m_log.outLines())
        EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
    const auto errLines = m_log.errLines();
    EXPECT_NE(std::find(errLines.begin(), errLines.end(), "[TELNET] >>> ********\r"), errLines.end());
    EXPECT_NE(std::find(errLines.begin(), errLines.end(), "[TELNET] >>> admin\r"), errLines.end());
    EXPECT_TRUE(m_device->isLoggedIn());
}

struct ProfileCase {
    const char* name;
    void (*adjust)(CPPConnectionSettings&);
    std::vector<std::string> queries;
    // The availability records after login, by type and word.
    std::vector<std::pair<int32_t, std::string>> availability;
};

// Each kind of profile gets its own queries, and its controls enabled or disabled by what
// the profile can drive.
TEST_F(Login, PostLoginQueriesFollowTheProfile) {
    const std::vector<ProfileCase> cases = {
        {"telco",
         [](CPPConnectionSettings& s) { s.setPhoneType(PhoneType::TELCO); },
         {"EP TELCO_RX 1 SETTINGS LOCAL_NUMBER", "EP TELCO_RX 1 INQUIRE HOOK", "EP SPK LEVEL MAX_GAIN",
          "EP SPK LEVEL MIN_GAIN", "EP SPK LEVEL GAIN", "EP MIC LEVEL MUTE"},
         {{10, "DISABLE"}, {5, "DISABLE"}, {9, "ENABLE"}, {8, "ENABLE"}}},
        {"label",
         [](CPPConnectionSettings& s) {
             s.setIsEPN(false);
             s.setLabel("FrontDesk");
         },
         {"EP FrontDesk SETTINGS DISPLAY_NAME", "EP FrontDesk INQUIRE REG_STATUS",
          "EP FrontDesk INQUIRE ACTIVE_PARTIES", "EP FrontDesk INQUIRE CFW_STATUS",
          "EP FrontDesk INQUIRE DND_STATUS", "EP SPK LEVEL MAX_GAIN", "EP SPK LEVEL MIN_GAIN",
          "EP SPK LEVEL GAIN", "EP MIC LEVEL MUTE"},
         {{5, "ENABLE"}, {10, "ENABLE"}, {9, "ENABLE"}, {8, "ENABLE"}}},
        {"own commands",
         [](CPPConnectionSettings& s) {
             s.setUsesSpeakerGroup(false);
             s.setUsesMicrophoneGroup(false);
             s.setMaxVolumeValueCommand("GET MAX");
             s.setQueryVolumeCommand("GET VOL");
         },
         {"EP UA 1 SETTINGS DISPLAY_NAME", "EP UA 1 INQUIRE REG_STATUS", "EP UA 1 INQUIRE ACTIVE_PARTIES",
          "EP UA 1 INQUIRE CFW_STATUS", "EP UA 1 INQUIRE DND_STATUS", "GET MAX", "GET VOL"},
         {{5, "ENABLE"}, {10, "ENABLE"}, {9, "DISABLE"}, {8, "DISABLE"}}},
        {"empty group",
         [](CPPConnectionSettings& s) { s.setSpeakerGroupName(""); },
         {"EP UA 1 SETTINGS DISPLAY_NAME", "EP UA 1 INQUIRE REG_STATUS", "EP UA 1 INQUIRE ACTIVE_PARTIES",
          "EP UA 1 INQUIRE CFW_STATUS", "EP UA 1 INQUIRE DND_STATUS", "EP MIC LEVEL MUTE"},
         {{5, "ENABLE"}, {10, "ENABLE"}, {9, "DISABLE"}, {8, "ENABLE"}}},
    };
    for (const ProfileCase& test : cases) {
        SCOPED_TRACE(test.name);
        FakeBoxScript script;
        script.replies.clear();
        FakeBox box(script);
        CPPConnectionSettings settings = profileP(box.port());
        test.adjust(settings);
        m_listener.clear();
        connect(settings);
        ASSERT_TRUE(waitForCount("LOGIN_SUCCESS", 1));
        ASSERT_TRUE(box.waitForLine(test.queries.back(), SOON));
        std::vector<std::string> lines = box.lines(1);
        lines.erase(lines.begin(), lines.begin() + 6);
        EXPECT_EQ(lines, test.queries);
        ASSERT_TRUE(waitForLoginPass(1));
        std::vector<std::pair<int32_t, std::string>> availability;
        for (const CapturedRecord& record : m_listener.records()) {
            if (record.notificationType >= 5 && record.notificationType != 7 && record.epn.empty())
                availability.emplace_back(record.notificationType, record.pn);
        }
        EXPECT_EQ(availability, test.availability);
        m_device->closeConnection();
    }
}

struct RuleCase {
    const char* name;
    std::vector<std::string> chunks;
    // What the dialer answers to the whole sequence, line by line.
    std::vector<std::string> answers;
    // The LOGIN_FAILED message, or "" when the login does not fail.
    std::string failure;
};

// The first rule that holds decides each chunk; six answered user-name prompts are the most.
TEST_F(Login, PromptRulesDecideEachChunk) {
    const std::vector<RuleCase> cases = {
        {"invalid", {"Invalid login\r\n"}, {}, "Login failed: Invalid login\r\n"},
        {"too many", {"Too many connections\r\n"}, {}, "Too many connection: Too many connections\r\n"},
        {"both prompts", {"Username: Password: "}, {"admin"}, ""},
        {"lower case", {"username:"}, {}, ""},
        {"seventh prompt",
         {"Username: ", "Username: ", "Username: ", "Username: ", "Username: ", "Username: ", "Username: "},
         {"admin", "admin", "admin", "admin", "admin", "admin"},
         "Login failed: Username: "},
    };
    for (const RuleCase& test : cases) {
        SCOPED_TRACE(test.name);
        FakeBoxScript script;
        script.silent = true;
        FakeBox box(script);
        m_listener.clear();
        connect(profileP(box.port()));
        ASSERT_TRUE(box.waitForConnections(1, SOON));
        size_t answered = 0;
        for (const std::string& chunk : test.chunks) {
            box.send(chunk);
            if (answered < test.answers.size()) {
                ++answered;
                ASSERT_TRUE(box.waitForLine(test.answers[answered - 1], SOON, static_cast<int>(answered)));
            }
        }
        if (test.failure.empty()) {
            EXPECT_TRUE(box.expectNothingWithin(QUIET));
            EXPECT_EQ(linkEvents(), (std::vector<std::string>{"CONNECTING", "CONNECTED"}));
        } else {
            // Refused: the link closes (FIN) and is not tried again.
            ASSERT_TRUE(waitForCount("CLOSE", 1));
            EXPECT_EQ(linkEvents(),
                      (std::vector<std::string>{"CONNECTING", "CONNECTED", "LOGIN_FAILED", "CLOSE"}));
            const auto records = m_listener.records();
            EXPECT_EQ(std::find_if(records.begin(), records.end(),
                                   [](const auto& r) { return r.pn == "LOGIN_FAILED"; })
                          ->payload,
                      test.failure);
            EXPECT_TRUE(box.waitForPeerClose(1, SOON));
            EXPECT_TRUE(noRecordFor(QUIET));
            EXPECT_EQ(box.connectionCount(), 1);
        }
        EXPECT_EQ(box.lines(1), test.answers);
        m_device->closeConnection();
    }
}

// Text sharing its read with the prompt that completes the login is never processed.
TEST_F(Login, TextBesideTheLoginPromptIsDropped) {
    FakeBoxScript script;
    script.silent = true;
    FakeBox box(script);
    connect(profileP(box.port()));
    ASSERT_TRUE(box.waitForConnections(1, SOON));
    box.send("EP UA 1 SETTINGS DISPLAY_NAME Lost\r\n=> ");
    ASSERT_TRUE(waitForCount("LOGIN_SUCCESS", 1));
    box.send("EP UA 1 SETTINGS DISPLAY_NAME Kept\r\n");
    ASSERT_TRUE(waitForCount("DISPLAY_NAME", 1));
    const auto records = m_listener.records();
    EXPECT_EQ(
        std::find_if(records.begin(), records.end(), [](const auto& r) { return r.pn == "DISPLAY_NAME"; })
            ->payload,
        "KEPT");
}

} // namespace
