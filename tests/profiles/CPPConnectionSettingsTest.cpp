#include "Logic/profiles/CPPConnectionSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CPPConnectionSettings numbered(int32_t phoneType, const std::string& endpoint) {
    CPPConnectionSettings settings;
    settings.setIsEPN(true);
    settings.setPhoneType(phoneType);
    settings.setTelcoVoIPEPN(endpoint);
    return settings;
}

CPPConnectionSettings labelled(const std::string& label) {
    CPPConnectionSettings settings;
    settings.setIsEPN(false);
    settings.setPhoneType(PhoneType::VOIP);
    settings.setTelcoVoIPEPN("1");
    settings.setLabel(label);
    return settings;
}

struct EndpointCase {
    std::string name;
    CPPConnectionSettings profile;
    std::vector<std::string> matching;
    std::vector<std::string> other;
};

// A wrong answer either drops the box's lines for our endpoint or feeds us another endpoint's
// calls. The line arrives upper-cased; the test must not raise it itself.
TEST(ConnectionSettings, MatchesOnlyLinesAddressedToItsEndpoint) {
    const std::vector<EndpointCase> cases = {
        {"VoIP",
         numbered(1, "1"),
         {"EP UA 1 NOTIFICATION X", "EP 20 1 4 1 PL 1;2", "XX EP UA 1 FOO"},
         {"EP UA 10 X", "EP TELCO_RX 1 X", "EP UA 1", "ep ua 1 x", "EP UA", ""}},
        {"Telco", numbered(2, "1"), {"EP TELCO_RX 1 X", "EP 3 1 X"}, {"EP UA 1 X", "EP 20 1 X", "EP 3 10 X"}},
        {"phone type 0 is Telco", numbered(0, "1"), {"EP TELCO_RX 1 X", "EP 3 1 X"}, {"EP UA 1 X"}},
        {"phone type 7 is Telco", numbered(7, "1"), {"EP TELCO_RX 1 X", "EP 3 1 X"}, {"EP UA 1 X"}},
        {"label raised", labelled("room1"), {"EP ROOM1 X"}, {"EP UA 1 X", "EP room1 X"}},
        {"empty endpoint", numbered(1, ""), {"EP UA  X", "EP 20  X"}, {"EP UA 1 X"}},
        {"empty label", labelled(""), {"EP  X"}, {"EP UA 1 X"}},
        // Another endpoint's line may quote our address in a caller's display name.
        {"quoted address",
         numbered(1, "1"),
         {"XX EP UA 1 FOO"},
         {"EP UA 2 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"EP UA 1 \" <SIP:9@X>",
          "EP 20 2 4 1 PL 1;INCOMING:\"EP 20 1 \" <SIP:9@X>"}},
        {"quoted label",
         labelled("room.1"),
         {"EP ROOM.1 X", "XX EP ROOM.1 X"},
         {"EP ROOMX1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"EP ROOM.1 \" <SIP:9@X>"}},
    };
    for (const EndpointCase& test : cases) {
        for (const std::string& line : test.matching)
            EXPECT_TRUE(test.profile.matchesEndpoint(line)) << test.name << ": " << line;
        for (const std::string& line : test.other)
            EXPECT_FALSE(test.profile.matchesEndpoint(line)) << test.name << ": " << line;
    }
}

TEST(ConnectionSettings, UpperCasesOnlyAsciiLetters) {
    std::string text = "ep ua 1 x`@[{\x80\xE9\xFF";
    CPPConnectionSettings::toUpperInPlace(text);
    EXPECT_EQ(text, "EP UA 1 X`@[{\x80\xE9\xFF");
}

// A fresh profile is a Telnet Telco profile on no serial port; the screens and the table
// rely on these values.
TEST(ConnectionSettings, DefaultsAndCopiesEveryField) {
    const CPPConnectionSettings fresh;
    EXPECT_EQ(fresh.getId(), 0);
    EXPECT_EQ(fresh.getPort(), 0);
    EXPECT_EQ(fresh.getPhoneType(), PhoneType::TELCO);
    EXPECT_EQ(fresh.getConnectionType(), ConnectionType::TELNET);
    EXPECT_EQ(fresh.getSerialPort(), -1);
    EXPECT_TRUE(fresh.isEPN());
    EXPECT_FALSE(fresh.isAutoConnect());
    EXPECT_TRUE(fresh.usesSpeakerGroup());
    EXPECT_TRUE(fresh.usesMicrophoneGroup());
    EXPECT_TRUE(fresh.getRoomName().empty() && fresh.getSerialPath().empty() && fresh.getPassword().empty());

    CPPConnectionSettings source;
    source.setId(9);
    source.setRoomName("r");
    source.setIp("i");
    source.setPort(-23);
    source.setPhoneType(7);
    source.setConnectionType(0);
    source.setSerialPort(3);
    source.setSerialPath("/dev/ttyS0");
    source.setLabel("l");
    source.setUserName("u");
    source.setPassword("p");
    source.setTelcoVoIPEPN("e");
    source.setIsEPN(false);
    source.setIsAutoConnect(true);
    source.setNotification("n");
    source.setQueryVolumeCommand("q");
    source.setSliderPressedCommand("sp");
    source.setSliderReleasedCommand("sr");
    source.setMinVolumeValueCommand("mi");
    source.setMaxVolumeValueCommand("ma");
    source.setUsesSpeakerGroup(false);
    source.setSpeakerGroupName("sg");
    source.setUsesMicrophoneGroup(false);
    source.setMicrophoneGroupName("mg");
    const CPPConnectionSettings copy(source);
    EXPECT_EQ(copy.getId(), 9);
    EXPECT_EQ(copy.getRoomName() + copy.getIp() + copy.getSerialPath() + copy.getLabel() +
                  copy.getUserName() + copy.getPassword() + copy.getTelcoVoIPEPN() + copy.getNotification() +
                  copy.getQueryVolumeCommand() + copy.getSliderPressedCommand() +
                  copy.getSliderReleasedCommand() + copy.getMinVolumeValueCommand() +
                  copy.getMaxVolumeValueCommand() + copy.getSpeakerGroupName() +
                  copy.getMicrophoneGroupName(),
              "ri/dev/ttyS0lupenqspsrmimasgmg");
    EXPECT_EQ(copy.getPort(), -23);
    EXPECT_EQ(copy.getPhoneType(), 7);
    EXPECT_EQ(copy.getConnectionType(), 0);
    EXPECT_EQ(copy.getSerialPort(), 3);
    EXPECT_FALSE(copy.isEPN());
    EXPECT_TRUE(copy.isAutoConnect());
    EXPECT_FALSE(copy.usesSpeakerGroup());
    EXPECT_FALSE(copy.usesMicrophoneGroup());
}

} // namespace
