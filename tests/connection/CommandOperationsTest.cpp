#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "connection/LinkFixture.h"
#include "support/CapturingSerialBridge.h"

#include <functional>

namespace {

// The operations need no link: on a serial profile every line they send lands in the
// capturing bridge, exactly as it would go out.
class CommandOperations : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        m_device->setSerialBridge(&m_bridge);
        CPPLine::getInstance().setMaxVolumeValue(12.0f);
        CPPLine::getInstance().setMinVolumeValue(-100.0f);
    }

    // P on the serial side, stored, with the given commands of its own.
    void useProfile(const std::function<void(CPPConnectionSettings&)>& adjust, CPPMuteCommand mute = {},
                    CPPVolumeCommand up = {}, CPPVolumeCommand down = {}) {
        CPPConnectionSettings settings = profileP(23);
        settings.setConnectionType(ConnectionType::SERIAL);
        adjust(settings);
        std::vector<CPPCustomKey> keys;
        down.setType(1);
        ASSERT_TRUE(CPPConnectionSettingsManager::getInstance().addConnectionSettings(settings, keys, mute,
                                                                                      up, down));
        m_device->setCurrentConnectionSettings(std::make_shared<const CPPConnectionSettings>(settings));
    }

    CapturingSerialBridge m_bridge;
};

struct OperationCase {
    const char* name;
    std::function<void(DeviceCommunication&)> action;
    std::vector<std::string> sent;
};

// What each operation sends with speaker and microphone groups (the box's range -100..12).
TEST_F(CommandOperations, GroupModeCommands) {
    ASSERT_NO_FATAL_FAILURE(useProfile([](CPPConnectionSettings&) {}));
    const std::vector<OperationCase> cases = {
        {"call with plus", [](auto& d) { d.call("+200"); }, {"EP UA 1 KEY KEY_CALL 200"}},
        {"call with line break", [](auto& d) { d.call("2\r\n00"); }, {"EP UA 1 KEY KEY_CALL 200"}},
        {"call of a line end only", [](auto& d) { d.call("\r\n"); }, {"EP UA 1 KEY KEY_HOOK"}},
        {"call after a line end", [](auto& d) { d.call("\r\n+12"); }, {"EP UA 1 KEY KEY_CALL 12"}},
        {"lone plus", [](auto& d) { d.call("+"); }, {"EP UA 1 KEY KEY_CALL +"}},
        {"do not disturb on",
         [](auto& d) { d.changeDoNotDisturbMode(true); },
         {"EP UA 1 KEY KEY_DO_NOT_DISTURB 1", "EP UA 1 INQUIRE DND_STATUS"}},
        {"forwarding",
         [](auto& d) { d.activateUpdateCallForwarding(false, 1, "300"); },
         {"EP UA 1 KEY KEY_FORWARD 0", "EP UA 1 KEY KEY_FORWARD 1", "EP UA 1 KEY KEY_CALL 300"}},
        {"forwarding with a line break",
         [](auto& d) { d.activateUpdateCallForwarding(true, 3, "+3\r\n0"); },
         {"EP UA 1 KEY KEY_FORWARD 0", "EP UA 1 KEY KEY_FORWARD 3", "EP UA 1 KEY KEY_CALL +30"}},
        {"forwarding off", [](auto& d) { d.deactivateCallForwarding(); }, {"EP UA 1 KEY KEY_FORWARD 0"}},
        {"volume up press", [](auto& d) { d.volumePress(true); }, {"RAMP SPK 12 22"}},
        {"volume up release", [](auto& d) { d.volumeRelease(true); }, {"RAMP SPK 12 0"}},
        {"volume down release", [](auto& d) { d.volumeRelease(false); }, {"RAMP SPK -100 0"}},
        {"slider", [](auto& d) { d.sliderAction(false, 50.0f); }, {"EP SPK LEVEL GAIN -44"}},
        {"slider pressed", [](auto& d) { d.sliderAction(true, 50.0f); }, {"EP SPK LEVEL GAIN -44"}},
        {"mute", [](auto& d) { d.mutePress(); }, {"EP MIC LEVEL MUTE 2"}},
        {"queries",
         [](auto& d) {
             d.volumeQueryMinMaxValue(true);
             d.volumeQueryMinMaxValue(false);
             d.volumeQuery();
             d.muteQuery();
             d.queryDoNotDisturbMode();
         },
         {"EP SPK LEVEL MAX_GAIN", "EP SPK LEVEL MIN_GAIN", "EP SPK LEVEL GAIN", "EP MIC LEVEL MUTE",
          "EP UA 1 INQUIRE DND_STATUS"}},
        {"custom button", [](auto& d) { d.customButton("LIGHTS ON", false); }, {"LIGHTS ON"}},
        {"empty custom button", [](auto& d) { d.customButton("", true); }, {}},
        {"redial", [](auto& d) { d.redial(); }, {"EP UA 1 KEY KEY_REDIAL"}},
    };
    for (const OperationCase& test : cases) {
        SCOPED_TRACE(test.name);
        CPPLine::getInstance().reset(true);
        CPPLine::getInstance().setMaxVolumeValue(12.0f);
        CPPLine::getInstance().setMinVolumeValue(-100.0f);
        m_bridge.clear();
        test.action(*m_device);
        EXPECT_EQ(m_bridge.sentLines(), test.sent);
    }
}

// A new profile has both group modes on and no group names: every login and button would send
// "EP  LEVEL MAX_GAIN" and the like, addressed to no group. Nothing goes out, and the volume
// and mute buttons stay off.
TEST_F(CommandOperations, GroupCommandsWithoutAGroupNameAreNotSent) {
    ASSERT_NO_FATAL_FAILURE(useProfile([](CPPConnectionSettings& settings) {
        settings.setSpeakerGroupName("");
        settings.setMicrophoneGroupName("");
    }));
    m_device->volumeQueryMinMaxValue(true);
    m_device->volumeQueryMinMaxValue(false);
    m_device->volumeQuery();
    m_device->muteQuery();
    m_device->volumePress(true);
    m_device->volumeRelease(false);
    m_device->sliderAction(true, 50.0f);
    m_device->mutePress();
    m_device->evaluateVolumeMuteAvailability();
    EXPECT_EQ(m_bridge.sentLines(), std::vector<std::string>{});
    EXPECT_FALSE(CPPLine::getInstance().isVolumeEnabled());
    EXPECT_FALSE(CPPLine::getInstance().isMuteEnabled());
}

// Without groups the profile's own commands go out as stored; a slider command of the form
// "EP name LEVEL GAIN" in any case is rewritten with the value, others are sent unchanged.
TEST_F(CommandOperations, OwnCommandsAreSentAsStored) {
    const auto own = [](const char* pressed, const char* released) {
        return [=](CPPConnectionSettings& settings) {
            settings.setUsesSpeakerGroup(false);
            settings.setUsesMicrophoneGroup(false);
            settings.setSliderPressedCommand(pressed);
            settings.setSliderReleasedCommand(released);
            settings.setMaxVolumeValueCommand("GET MAX");
        };
    };
    CPPMuteCommand mute;
    mute.setPressCommand("MUTE TOGGLE");
    CPPVolumeCommand up;
    up.setPressCommand("UP ON");
    up.setReleaseCommand("UP OFF");
    ASSERT_NO_FATAL_FAILURE(useProfile(own("ep Spk level gain 0 ramp", "SET VOL"), mute, up));
    m_device->sliderAction(true, 50.0f);
    m_device->sliderAction(false, 50.0f);
    m_device->mutePress();
    m_device->volumePress(true);
    m_device->volumeRelease(true);
    m_device->volumePress(false);
    m_device->volumeQueryMinMaxValue(true);
    m_device->volumeQueryMinMaxValue(false);
    m_device->muteQuery();
    EXPECT_EQ(m_bridge.sentLines(), (std::vector<std::string>{"EP Spk LEVEL GAIN -44", "SET VOL",
                                                              "MUTE TOGGLE", "UP ON", "UP OFF", "GET MAX"}));
}

// Without a speaker group, volume is offered when any one of the four button commands is set
// and both ends of the box's range can be asked for.
TEST_F(CommandOperations, VolumeIsAvailableWithAnyOneButtonCommand) {
    const struct {
        const char* name;
        const char* upPress;
        const char* upRelease;
        const char* downPress;
        const char* downRelease;
        const char* maximum;
        const char* minimum;
        bool available;
    } cases[] = {
        {"no button", "", "", "", "", "GET MAX", "GET MIN", false},
        {"up press", "U", "", "", "", "GET MAX", "GET MIN", true},
        {"up release", "", "U", "", "", "GET MAX", "GET MIN", true},
        {"down press", "", "", "D", "", "GET MAX", "GET MIN", true},
        {"down release", "", "", "", "D", "GET MAX", "GET MIN", true},
        {"no maximum query", "U", "U", "D", "D", "", "GET MIN", false},
        {"no minimum query", "U", "U", "D", "D", "GET MAX", "", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        CPPVolumeCommand up;
        up.setPressCommand(test.upPress);
        up.setReleaseCommand(test.upRelease);
        CPPVolumeCommand down;
        down.setPressCommand(test.downPress);
        down.setReleaseCommand(test.downRelease);
        ASSERT_NO_FATAL_FAILURE(useProfile(
            [&](CPPConnectionSettings& settings) {
                settings.setUsesSpeakerGroup(false);
                settings.setMaxVolumeValueCommand(test.maximum);
                settings.setMinVolumeValueCommand(test.minimum);
            },
            {}, up, down));
        m_listener.clear();
        m_device->evaluateVolumeMuteAvailability();
        const std::vector<CapturedRecord> records = m_listener.records();
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.front().notificationType, NotificationType::VOLUME);
        EXPECT_EQ(records.front().pn, test.available ? "ENABLE" : "DISABLE");
        EXPECT_EQ(CPPLine::getInstance().isVolumeEnabled(), test.available);
    }
}

// The volume arithmetic on the line's reported range.
TEST_F(CommandOperations, RampAndSliderFigures) {
    CPPLine& line = CPPLine::getInstance();
    const struct {
        float minimum;
        float maximum;
        float gain;
        int32_t step;
        float value;
    } cases[] = {{-100, 12, 50, 22, -44}, {0, 4, 100, 0, 4}, {10, -10, 25, 4, 15}, {-65, 20, 0, 17, -65}};
    for (const auto& test : cases) {
        line.setMinVolumeValue(test.minimum);
        line.setMaxVolumeValue(test.maximum);
        EXPECT_EQ(DeviceCommunication::volumeRampStep(), test.step);
        EXPECT_FLOAT_EQ(DeviceCommunication::sliderGainToVolume(test.gain), test.value);
        EXPECT_EQ(DeviceCommunication::volumeRampTarget(true), test.maximum);
        EXPECT_EQ(DeviceCommunication::volumeRampTarget(false), test.minimum);
    }
    // A garbled range must not reach an undefined conversion.
    line.setMinVolumeValue(-3e38f);
    line.setMaxVolumeValue(3e38f);
    EXPECT_EQ(DeviceCommunication::volumeRampStep(), INT32_MAX);
    EXPECT_EQ(DeviceCommunication::stripLeadingPlus("++12 34"), "12 34");
    EXPECT_EQ(DeviceCommunication::stripLeadingPlus("1+2"), "1+2");
    EXPECT_EQ(DeviceCommunication::stripLeadingPlus("++"), "++");
}

// Without a profile nothing is sent and the line is not touched; a serial send counts as done
// whatever the port does.
TEST_F(CommandOperations, NoProfileDoesNothingAndSerialSendsCount) {
    m_device->setCurrentConnectionSettings(nullptr);
    m_device->call("200");
    m_device->volumePress(true);
    m_device->customButton("X", true);
    m_device->changeDoNotDisturbMode(true);
    m_device->checkDigitCollectionTimeout();
    EXPECT_TRUE(m_bridge.sent().empty());
    EXPECT_TRUE(m_listener.records().empty());
    EXPECT_EQ(CPPLine::getInstance().getLineState(), LineState::IDLE);

    ASSERT_NO_FATAL_FAILURE(useProfile([](CPPConnectionSettings&) {}));
    EXPECT_EQ(m_device->sendCommand("INQUIRE HOOK"), 1);
    m_device->setSerialBridge(nullptr);
    EXPECT_EQ(m_device->sendCommand("INQUIRE HOOK"), -1);
}

} // namespace
