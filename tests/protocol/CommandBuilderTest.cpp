#include "Logic/protocol/CommandParser.h"
#include "TestProfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Builder = std::function<std::string(const CPPConnectionSettings*)>;

struct BuilderCase {
    const char* name;
    Builder build;
    const char* voip;
    const char* telco;
    const char* label;
};

// Every endpoint builder against the literal line the box expects, for the three ways of
// addressing an endpoint; a wrong keyword, blank or prefix shows up here.
TEST(CommandBuilder, EndpointCommandsCarryTheProfilesPrefixAndKeyword) {
    const std::vector<BuilderCase> cases = {
        {"prefix", CommandParser::buildEndpointPrefix, "EP UA 1 ", "EP TELCO_RX 2 ", "EP Room "},
        {"settings", CommandParser::settingsDisplayNameOrLocalNumber, "EP UA 1 SETTINGS DISPLAY_NAME",
         "EP TELCO_RX 2 SETTINGS LOCAL_NUMBER", "EP Room SETTINGS DISPLAY_NAME"},
        {"keyCall", CommandParser::keyCall, "EP UA 1 KEY KEY_CALL", "EP TELCO_RX 2 KEY KEY_CALL",
         "EP Room KEY KEY_CALL"},
        {"keyReject", CommandParser::keyReject, "EP UA 1 KEY KEY_REJECT", "EP TELCO_RX 2 KEY KEY_REJECT",
         "EP Room KEY KEY_REJECT"},
        {"keyHold", CommandParser::keyHold, "EP UA 1 KEY KEY_HOLD", "EP TELCO_RX 2 KEY KEY_HOLD",
         "EP Room KEY KEY_HOLD"},
        {"keyTransfer", CommandParser::keyTransfer, "EP UA 1 KEY KEY_TRANSFER",
         "EP TELCO_RX 2 KEY KEY_TRANSFER", "EP Room KEY KEY_TRANSFER"},
        {"keyBlindTransfer", CommandParser::keyBlindTransfer, "EP UA 1 KEY KEY_BLIND_TRANSFER",
         "EP TELCO_RX 2 KEY KEY_BLIND_TRANSFER", "EP Room KEY KEY_BLIND_TRANSFER"},
        {"keyConference", CommandParser::keyConference, "EP UA 1 KEY KEY_CONFERENCE",
         "EP TELCO_RX 2 KEY KEY_CONFERENCE", "EP Room KEY KEY_CONFERENCE"},
        {"keyDigitPressed", CommandParser::keyDigitPressed, "EP UA 1 KEY KEY_DIGIT_PRESSED",
         "EP TELCO_RX 2 KEY KEY_DIGIT_PRESSED", "EP Room KEY KEY_DIGIT_PRESSED"},
        {"keyDigitReleased", CommandParser::keyDigitReleased, "EP UA 1 KEY KEY_DIGIT_RELEASED",
         "EP TELCO_RX 2 KEY KEY_DIGIT_RELEASED", "EP Room KEY KEY_DIGIT_RELEASED"},
        {"keyRedial", CommandParser::keyRedial, "EP UA 1 KEY KEY_REDIAL", "EP TELCO_RX 2 KEY KEY_REDIAL",
         "EP Room KEY KEY_REDIAL"},
        {"keyParty", CommandParser::keyParty, "EP UA 1 KEY KEY_PARTY", "EP TELCO_RX 2 KEY KEY_PARTY",
         "EP Room KEY KEY_PARTY"},
        {"keyHook", CommandParser::keyHook, "EP UA 1 KEY KEY_HOOK", "EP TELCO_RX 2 KEY KEY_HOOK",
         "EP Room KEY KEY_HOOK"},
        {"telcoKeyHook", CommandParser::telcoKeyHook, "EP UA 1 KEY KEY_HOOK", "EP TELCO_RX 2 KEY KEY_HOOK",
         "EP Room KEY KEY_HOOK"},
        {"keyForward", CommandParser::keyForward, "EP UA 1 KEY KEY_FORWARD", "EP TELCO_RX 2 KEY KEY_FORWARD",
         "EP Room KEY KEY_FORWARD"},
        {"keyMute", CommandParser::keyMute, "EP UA 1 KEY KEY_MUTE", "EP TELCO_RX 2 KEY KEY_MUTE",
         "EP Room KEY KEY_MUTE"},
        {"inquireRegStatus", CommandParser::inquireRegStatus, "EP UA 1 INQUIRE REG_STATUS",
         "EP TELCO_RX 2 INQUIRE REG_STATUS", "EP Room INQUIRE REG_STATUS"},
        {"inquireCfwStatus", CommandParser::inquireCfwStatus, "EP UA 1 INQUIRE CFW_STATUS",
         "EP TELCO_RX 2 INQUIRE CFW_STATUS", "EP Room INQUIRE CFW_STATUS"},
        {"inquireActiveParties", CommandParser::inquireActiveParties, "EP UA 1 INQUIRE ACTIVE_PARTIES",
         "EP TELCO_RX 2 INQUIRE ACTIVE_PARTIES", "EP Room INQUIRE ACTIVE_PARTIES"},
        {"inquireResultRegStatus", CommandParser::inquireResultRegStatus, "EP UA 1 INQUIRE_RESULT REG_STATUS",
         "EP TELCO_RX 2 INQUIRE_RESULT REG_STATUS", "EP Room INQUIRE_RESULT REG_STATUS"},
        {"inquireResultActiveParties", CommandParser::inquireResultActiveParties,
         "EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES", "EP TELCO_RX 2 INQUIRE_RESULT ACTIVE_PARTIES",
         "EP Room INQUIRE_RESULT ACTIVE_PARTIES"},
        {"keyDoNotDisturb", CommandParser::keyDoNotDisturb, "EP UA 1 KEY KEY_DO_NOT_DISTURB ",
         "EP TELCO_RX 2 KEY KEY_DO_NOT_DISTURB ", "EP Room KEY KEY_DO_NOT_DISTURB "},
        {"inquireDndStatus", CommandParser::inquireDndStatus, "EP UA 1 INQUIRE DND_STATUS",
         "EP TELCO_RX 2 INQUIRE DND_STATUS", "EP Room INQUIRE DND_STATUS"},
        {"inquireHook", CommandParser::inquireHook, "EP UA 1 INQUIRE HOOK", "EP TELCO_RX 2 INQUIRE HOOK",
         "EP Room INQUIRE HOOK"},
        {"inquireOffHookDuration", CommandParser::inquireOffHookDuration, "EP UA 1 INQUIRE OFF_HOOK_DURATION",
         "EP TELCO_RX 2 INQUIRE OFF_HOOK_DURATION", "EP Room INQUIRE OFF_HOOK_DURATION"},
        {"inquireDirection", CommandParser::inquireDirection, "EP UA 1 INQUIRE DIRECTION",
         "EP TELCO_RX 2 INQUIRE DIRECTION", "EP Room INQUIRE DIRECTION"},
        {"inquireDigitsDialedSinceOffHook", CommandParser::inquireDigitsDialedSinceOffHook,
         "EP UA 1 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK", "EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK",
         "EP Room INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK"},
        {"inquireCallerId", CommandParser::inquireCallerId, "EP UA 1 INQUIRE CALLER_ID",
         "EP TELCO_RX 2 INQUIRE CALLER_ID", "EP Room INQUIRE CALLER_ID"},
        {"keyHookFlash", CommandParser::keyHookFlash, "EP UA 1 KEY KEY_HOOK_FLASH",
         "EP TELCO_RX 2 KEY KEY_HOOK_FLASH", "EP Room KEY KEY_HOOK_FLASH"},
        {"keySpeedDial", CommandParser::keySpeedDial, "EP UA 1 KEY KEY_SPEED_DIAL",
         "EP TELCO_RX 2 KEY KEY_SPEED_DIAL", "EP Room KEY KEY_SPEED_DIAL"},
    };
    const CPPConnectionSettings voip = voipProfile();
    const CPPConnectionSettings telco = telcoProfile();
    const CPPConnectionSettings label = labelProfile();
    for (const BuilderCase& row : cases) {
        EXPECT_EQ(row.build(&voip), row.voip) << row.name;
        EXPECT_EQ(row.build(&telco), row.telco) << row.name;
        EXPECT_EQ(row.build(&label), row.label) << row.name;
    }
}

// Callers append their argument; the builders put nothing between keyword and argument.
TEST(CommandBuilder, CallersAppendArgumentsToTheKeyword) {
    const CPPConnectionSettings voip = voipProfile();
    const CPPConnectionSettings telco = telcoProfile();
    EXPECT_EQ(CommandParser::keyCall(&voip) + " 123", "EP UA 1 KEY KEY_CALL 123");
    EXPECT_EQ(CommandParser::keyHook(&telco) + " 1", "EP TELCO_RX 2 KEY KEY_HOOK 1");
    EXPECT_EQ(CommandParser::keyDoNotDisturb(&voip) + "1", "EP UA 1 KEY KEY_DO_NOT_DISTURB 1");
    EXPECT_EQ(CommandParser::buildEndpointCommand(&voip, "X"), "EP UA 1 X");
}

// Any phoneType but 1 addresses the Telco endpoint; an empty number leaves two blanks; a
// label goes out as stored, blanks and case included, whatever the phoneType.
TEST(CommandBuilder, PrefixFollowsIsEpnAndPhoneTypeAndSendsFieldsAsStored) {
    struct Case {
        int32_t phoneType;
        bool isEPN;
        const char* epn;
        const char* label;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0, true, "7", "", "EP TELCO_RX 7 KEY KEY_CALL"},
        {3, true, "7", "", "EP TELCO_RX 7 KEY KEY_CALL"},
        {1, true, "", "", "EP UA  KEY KEY_CALL"},
        {2, false, "7", "front desk", "EP front desk KEY KEY_CALL"},
        {1, false, "7", "", "EP  KEY KEY_CALL"},
    };
    for (const Case& row : cases) {
        CPPConnectionSettings settings = voipProfile();
        settings.setPhoneType(row.phoneType);
        settings.setIsEPN(row.isEPN);
        settings.setTelcoVoIPEPN(row.epn);
        settings.setLabel(row.label);
        EXPECT_EQ(CommandParser::keyCall(&settings), row.expected);
    }
}

// Group commands name the group only: number, label, isEPN and phoneType play no part. Without
// a group name every one is empty, as "EP  LEVEL GAIN" would address no group at all.
TEST(CommandBuilder, GroupCommandsAddressTheGroupOnly) {
    const std::vector<std::pair<Builder, std::string>> builders = {
        {CommandParser::microphoneLevelMute, "EP Mic LEVEL MUTE"},
        {CommandParser::microphoneLevelMuteToggle, "EP Mic LEVEL MUTE 2"},
        {[](auto* settings) { return CommandParser::speakerRamp(settings, "12", "22"); }, "RAMP Spk 12 22"},
        {CommandParser::speakerLevelGain, "EP Spk LEVEL GAIN"},
        {[](auto* settings) { return CommandParser::speakerLevelMinMaxGain(settings, true); },
         "EP Spk LEVEL MAX_GAIN"},
        {[](auto* settings) { return CommandParser::speakerLevelMinMaxGain(settings, false); },
         "EP Spk LEVEL MIN_GAIN"},
        {[](auto* settings) { return CommandParser::speakerLevelGainValue(settings, "-44"); },
         "EP Spk LEVEL GAIN -44"},
        {[](auto* settings) { return CommandParser::speakerRampAll(settings, "5"); }, "RAMP Spk * 5"},
    };
    for (CPPConnectionSettings settings : {voipGroupProfile(), telcoProfile(), labelProfile()}) {
        for (const auto& [build, expected] : builders) {
            settings.setSpeakerGroupName("Spk");
            settings.setMicrophoneGroupName("Mic");
            EXPECT_EQ(build(&settings), expected);
            settings.setSpeakerGroupName("");
            settings.setMicrophoneGroupName("");
            EXPECT_EQ(build(&settings), "") << expected;
        }
    }
}

// A line end or NUL typed into a number would end the command early and start another.
TEST(CommandBuilder, CleanArgumentDropsLineEndsAndNul) {
    EXPECT_EQ(CommandParser::cleanArgument("555\r\n12"), "55512");
    EXPECT_EQ(CommandParser::cleanArgument(std::string("1\0"
                                                       "2",
                                                       3)),
              "12");
    EXPECT_EQ(CommandParser::cleanArgument("sip:201@pbx #*"), "sip:201@pbx #*");
    EXPECT_EQ(CommandParser::cleanArgument("\r\n"), "");
}

// The slider's per cent of the range; an empty range or overflowing figures give 0, never a
// NaN or infinity that would reach the interface as text.
TEST(CommandBuilder, SliderPositionIsTheShareOfTheRange) {
    EXPECT_FLOAT_EQ(CommandParser::sliderPosition(-10.0F, -40.0F, 0.0F), 75.0F);
    EXPECT_FLOAT_EQ(CommandParser::sliderPosition(-44.0F, -100.0F, 12.0F), 50.0F);
    EXPECT_FLOAT_EQ(CommandParser::sliderPosition(7.0F, -65.0F, 20.0F), 84.70588F);
    // The distance from the minimum counts whichever side of it the level lies.
    EXPECT_FLOAT_EQ(CommandParser::sliderPosition(-50.0F, -40.0F, 0.0F), 25.0F);
    EXPECT_EQ(CommandParser::sliderPosition(0.0F, 0.0F, 0.0F), 0.0F);
    EXPECT_EQ(CommandParser::sliderPosition(5.0F, 3.0F, 3.0F), 0.0F);
    const float huge = 3.4e38F;
    EXPECT_EQ(CommandParser::sliderPosition(huge, -huge, huge), 0.0F);
}

} // namespace
