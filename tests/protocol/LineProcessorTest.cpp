#include "ProtocolFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using LineProcessor = ProtocolFixture;

void storeMuteCommand(const std::string& active, const std::string& inactive) {
    CPPMuteCommand command;
    command.setPressCommand("MIC TOGGLE");
    command.setActiveNotificationFormat(active);
    command.setInactiveNotificationFormat(inactive);
    ASSERT_TRUE(CPPMuteCommandTable::getInstance().insert(command, 1));
}

TEST_F(LineProcessor, NullProfileGivesNullWithoutReadingTheStore) {
    clearTrace();
    EXPECT_EQ(m_parser.processReceivedLine("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;ACTIVE", nullptr),
              nullptr);
    EXPECT_TRUE(trace().empty());
    EXPECT_EQ(line().getLineParties().at(1).getState(), StateId::IDLE);
}

// Group replies are whole-line texts, upper-cased on both sides; a trailing blank is another text.
TEST_F(LineProcessor, MicrophoneGroupRepliesSetTheMuteFlag) {
    use(voipGroupProfile());
    clearTrace();
    line().setMuteActivated(false);
    EXPECT_EQ(record("ep mic level mute 1"),
              (CapturedRecord{NotificationType::MUTE, CommandType::CORE, EndPointType::UA, "NOTIFICATION", "",
                              "ACTIVATE", "EP MIC LEVEL MUTE 1", ""}));
    EXPECT_TRUE(line().isMuteActivated());
    EXPECT_EQ(record("EP MIC LEVEL MUTE 0"),
              (CapturedRecord{NotificationType::MUTE, CommandType::CORE, EndPointType::UA, "NOTIFICATION", "",
                              "INACTIVATE", "EP MIC LEVEL MUTE 0", ""}));
    EXPECT_FALSE(line().isMuteActivated());
    EXPECT_EQ(process("EP MIC LEVEL MUTE 1 "), nullptr);
    EXPECT_FALSE(line().isMuteActivated());
    // With a group the profile's stored mute texts are never read.
    EXPECT_TRUE(trace().empty());
}

// Without a group the stored texts count, read afresh for every line.
TEST_F(LineProcessor, StoredMuteTextsSetTheMuteFlag) {
    EXPECT_EQ(process("MIC MUTED"), nullptr);
    storeMuteCommand("mic muted", "Mic Open");
    EXPECT_EQ(record("Mic Muted").pn, "ACTIVATE");
    EXPECT_TRUE(line().isMuteActivated());
    EXPECT_EQ(record("mic open").pn, "INACTIVATE");
    EXPECT_FALSE(line().isMuteActivated());
}

// An empty line must not pass for a profile's missing mute text.
TEST_F(LineProcessor, EmptyMuteTextsNeverMatch) {
    line().setMuteActivated(false);
    EXPECT_EQ(process(""), nullptr);
    storeMuteCommand("", "");
    EXPECT_EQ(process(""), nullptr);
    EXPECT_FALSE(line().isMuteActivated());
}

TEST_F(LineProcessor, SpeakerGroupRepliesSetTheVolume) {
    use(voipGroupProfile());
    EXPECT_EQ(record("EP SPK LEVEL MAX_GAIN 12"),
              (CapturedRecord{NotificationType::VOLUME, CommandType::CORE, EndPointType::UA, "NOTIFICATION",
                              "", "12", "EP SPK LEVEL MAX_GAIN 12", ""}));
    EXPECT_EQ(record("ep spk level min_gain -100").pn, "-100");
    EXPECT_EQ(record("EP SPK LEVEL GAIN -44").pn, "50");
    EXPECT_FLOAT_EQ(line().getVolumeSliderValue(), 50.0F);
    EXPECT_EQ(record("RAMP SPK -16 1").pn, "75");
    EXPECT_EQ(record("EP SPK LEVEL OTHER_GAIN 7").pn, "7");
    EXPECT_FLOAT_EQ(line().getMaxVolumeValue(), 12.0F);
    EXPECT_FLOAT_EQ(line().getMinVolumeValue(), -100.0F);

    line().setMinVolumeValue(0.0F);
    line().setMaxVolumeValue(0.0F);
    EXPECT_EQ(record("EP SPK LEVEL GAIN 0").pn, "0");
    EXPECT_EQ(line().getVolumeSliderValue(), 0.0F);
}

// The volume patterns run unanchored and before the endpoint filter: a report for another
// group, or text that merely looks like one, drops the line.
TEST_F(LineProcessor, VolumeReportsForOtherGroupsDropTheLine) {
    CPPConnectionSettings settings = voipGroupProfile();
    settings.setIsEPN(false);
    settings.setLabel("Other");
    use(settings);
    EXPECT_EQ(process("RAMP OTHER 50 1"), nullptr);
    EXPECT_EQ(process("EP OTHER LEVEL GAIN 5"), nullptr);
    EXPECT_FLOAT_EQ(line().getVolumeSliderValue(), 0.0F);

    use(voipGroupProfile());
    EXPECT_EQ(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"RAMP A B\" <SIP:201@PBX>"), nullptr);
    EXPECT_EQ(line().getLineParties().at(1).getState(), StateId::IDLE);
}

TEST_F(LineProcessor, GenericVolumeRepliesAndProfileFormats) {
    // Without a group RAMP needs four fields; this one fails the filter too.
    EXPECT_EQ(process("RAMP SPK 50 1"), nullptr);
    EXPECT_EQ(record("RAMP SPK 1 -10 1").pn, "64.7059");
    // Taken as a volume report before the endpoint filter looks at it.
    EXPECT_EQ(record("EP UA 2 LEVEL GAIN 3").pn, "80");

    CPPConnectionSettings settings = voipProfile();
    settings.setNotification("spk gain=*");
    use(settings);
    EXPECT_EQ(record("SPK GAIN=7"),
              (CapturedRecord{NotificationType::VOLUME, CommandType::CORE, EndPointType::UA, "NOTIFICATION",
                              "", "84.7059", "SPK GAIN=7", ""}));

    settings.setNotification("spk gain");
    settings.setQueryVolumeCommand("ep spk query");
    use(settings);
    EXPECT_EQ(process("SPK GAIN"), nullptr);
    EXPECT_EQ(record("EP SPK QUERY 42").pn, "125.882");
}

// The stored formats are the box's text, not expressions: a "." must not take any character,
// and a bracket or parenthesis must neither fail the try nor act as an operator.
TEST_F(LineProcessor, ProfileFormatsAreLiteralText) {
    struct Case {
        std::string notification;
        std::string query;
        std::string line;
        std::string pn; // empty: no volume record
    };
    const std::vector<Case> cases = {
        {"", "EP Room.1 LEVEL QUERY", "EP ROOM.1 LEVEL QUERY 42", "125.882"},
        {"", "EP Room.1 LEVEL QUERY", "EP ROOMX1 LEVEL QUERY 42", ""},
        {"", "vol(1) [a]+ {2} ^$|\\", "VOL(1) [A]+ {2} ^$|\\ 7", "84.7059"},
        {"", "vol(1)", "VOL1 7", ""},
        {"gain[*", "", "GAIN[7", "84.7059"},
        {"gain[*", "", "GAIN7", ""},
        // Only the first star marks the value; a later one is text.
        {"a*b*", "", "A7B*", "84.7059"},
        {"a*b*", "", "A7BB", ""},
        {"g.*", "", "GX7", ""},
    };
    for (const Case& test : cases) {
        CPPConnectionSettings settings = voipProfile();
        settings.setNotification(test.notification);
        settings.setQueryVolumeCommand(test.query);
        use(settings);
        const CapturedRecord result = record(test.line);
        EXPECT_EQ(result.notificationType, test.pn.empty() ? -1 : 9) << test.line;
        EXPECT_EQ(result.pn, test.pn) << test.line;
    }
}

TEST_F(LineProcessor, OnlyLinesForTheProfilesEndpointReachTheTable) {
    EXPECT_EQ(process("EP UA 2 NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE"), nullptr);
    EXPECT_EQ(process("EP 20 2 4 1 PL 1;DIAL_TONE"), nullptr);
    // A caller's display name on another endpoint must not steer our party.
    EXPECT_EQ(process("EP UA 2 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"EP UA 1 \" <SIP:9@X>"), nullptr);
    EXPECT_EQ(line().getLineParties().at(1).getState(), StateId::IDLE);
    EXPECT_EQ(record("EP 20 1 4 1 PL 1;DIAL_TONE").epn, "1");

    use(labelProfile());
    EXPECT_EQ(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE"), nullptr);
    EXPECT_EQ(record("EP ROOM NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE"),
              (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED, EndPointType::UA,
                              "NOTIFICATION", "ROOM", "STATE_CHANGE", "1;DIAL_TONE",
                              "EP ROOM NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE"}));
    EXPECT_EQ(line().getLineState(), LineState::COLLECTING_DIGITS);
}

// The caller's text stays as it was; the processor upper-cases its own copy.
TEST_F(LineProcessor, LeavesTheCallersLineAlone) {
    const std::string text = "ep ua 1 notification state_change pl 2;ringing:5551234";
    EXPECT_EQ(record(text).originCmd, "EP UA 1 NOTIFICATION STATE_CHANGE PL 2;RINGING:5551234");
    EXPECT_EQ(text, "ep ua 1 notification state_change pl 2;ringing:5551234");
}

} // namespace
