#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ProfileConversions.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "support/CoreFixture.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

class ProfileModelsTest : public OpenCoreFixture {
protected:
    static ConnectionSettings profile(const std::string& roomName, bool autoConnect = false) {
        ConnectionSettings settings(roomName);
        settings.setIsAutoConnect(autoConnect);
        settings.customKeys()[0]->setLabel(roomName + " key");
        settings.muteCommand()->setPressCommand("MUTE " + roomName);
        settings.volumeUpCommand()->setPressCommand("UP " + roomName);
        settings.volumeDownCommand()->setPressCommand("DOWN " + roomName);
        return settings;
    }

    std::vector<std::string> roomNames(const std::vector<ConnectionSettingsPtr>& list) {
        std::vector<std::string> names;
        for (const ConnectionSettingsPtr& settings : list)
            names.push_back(settings->roomName());
        return names;
    }
};

TEST_F(ProfileModelsTest, NewProfileAddressesVoipEndpointOneByNumberOnTelnetPort23) {
    // These differ from the core record's defaults (port 0, Telco, serial port -1): a new
    // profile made on the screens must not take those.
    const ConnectionSettings settings;
    EXPECT_EQ(settings.port(), 23u);
    EXPECT_EQ(settings.phoneType(), 1);
    EXPECT_EQ(settings.connectionType(), 1);
    EXPECT_EQ(settings.serialPort(), 0u);
    EXPECT_TRUE(settings.isEPN());
    EXPECT_FALSE(settings.isAutoConnect());
    EXPECT_TRUE(settings.usesSpeakerGroup());
    EXPECT_TRUE(settings.usesMicrophoneGroup());
    ASSERT_EQ(settings.customKeys().size(), 5u);
    for (const CustomKeyPtr& key : settings.customKeys()) {
        EXPECT_FALSE(key->enabled());
        EXPECT_EQ(key->label() + key->pressCommand() + key->releaseCommand(), "");
        EXPECT_EQ(key->ID(), 0);
    }
    EXPECT_EQ(settings.volumeUpCommand()->type(), 0);
    EXPECT_EQ(settings.volumeDownCommand()->type(), 1);
    EXPECT_EQ(settings.ID() + settings.muteCommand()->ID() + settings.volumeUpCommand()->ID() +
                  settings.volumeDownCommand()->ID(),
              0);
}

TEST_F(ProfileModelsTest, IntegersCrossBetweenStoreAndModelAsTheScreensReadThem) {
    struct Case {
        int32_t storedConnectionType;
        int64_t listedConnectionType;
        int32_t storedSerialPort;
        uint64_t listedSerialPort;
        int32_t storedPhoneType;
        int64_t listedPhoneType;
    };
    const Case cases[] = {
        {1, 1, 3, 3, 1, 1},
        {0, 2, -1, std::numeric_limits<uint64_t>::max(), 2, 2},
        {3, 2, 0, 0, -1, 4294967295},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedConnectionType);
        run("delete from ConnectionSettings");
        CPPConnectionSettings record;
        record.setConnectionType(c.storedConnectionType);
        record.setSerialPort(c.storedSerialPort);
        record.setPhoneType(c.storedPhoneType);
        ASSERT_TRUE(CPPConnectionSettingsTable::getInstance().insert(record));

        const auto listed = ConnectionSettingsManager::allConnectionSettings();
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0]->connectionType(), c.listedConnectionType);
        EXPECT_EQ(listed[0]->serialPort(), c.listedSerialPort);
        EXPECT_EQ(listed[0]->phoneType(), c.listedPhoneType);

        // Saved back unchanged, except that every connection type but Telnet becomes serial.
        ASSERT_TRUE(ConnectionSettingsManager::updateConnectionSettings(*listed[0]));
        EXPECT_EQ(scalar("select serialPort from ConnectionSettings"), std::to_string(c.storedSerialPort));
        EXPECT_EQ(scalar("select phoneType from ConnectionSettings"), std::to_string(c.storedPhoneType));
        EXPECT_EQ(scalar("select connectionType from ConnectionSettings"),
                  c.storedConnectionType == 1 ? "1" : "2");
    }
    for (const int64_t type : {0, 7, -1}) {
        ConnectionSettings settings;
        settings.setConnectionType(type);
        EXPECT_EQ(connectionSettingsToCpp(settings).getConnectionType(), 2) << type;
    }
}

TEST_F(ProfileModelsTest, AddWritesEveryNewIdBackOnlyWhenEveryStepWorked) {
    ConnectionSettings settings = profile("Board Room");
    settings.setID(42);
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(settings));
    EXPECT_NE(settings.ID(), 42);
    EXPECT_EQ(std::to_string(settings.ID()), scalar("select max(id) from ConnectionSettings"));
    EXPECT_EQ(scalar("select count(*) from ConnectionSettings where id=42"), "0");
    const Rows keys = select("select id from CustomKey order by id");
    ASSERT_EQ(keys.size(), 5u);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(std::to_string(settings.customKeys()[i]->ID()), keys[i].at("id"));
    EXPECT_EQ(std::to_string(settings.muteCommand()->ID()), scalar("select id from MuteCommand"));
    EXPECT_EQ(std::to_string(settings.volumeUpCommand()->ID()),
              scalar("select id from VolumeCommand where type=0"));
    EXPECT_EQ(std::to_string(settings.volumeDownCommand()->ID()),
              scalar("select id from VolumeCommand where type=1"));

    // The last step fails: the rows before it stay, and the objects keep the ids they had.
    ConnectionSettings failing = profile("Lobby");
    refuse([](const std::string& sql) { return sql.rfind("insert into VolumeCommand", 0) == 0; });
    EXPECT_FALSE(ConnectionSettingsManager::addConnectionSettings(failing));
    EXPECT_EQ(failing.ID() + failing.customKeys()[4]->ID() + failing.muteCommand()->ID(), 0);
    EXPECT_EQ(count("ConnectionSettings"), 2);
}

TEST_F(ProfileModelsTest, ListedProfileCarriesExactlyWhatTheStoreHolds) {
    ConnectionSettings keyless = profile("beta");
    keyless.customKeys().clear();
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(keyless));
    ConnectionSettings full = profile("Alpha");
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(full));
    run("delete from VolumeCommand where id=" + std::to_string(full.volumeDownCommand()->ID()));

    const auto listed = ConnectionSettingsManager::allConnectionSettings();
    EXPECT_EQ(roomNames(listed), (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(roomNames(ConnectionSettingsManager::allConnectionSettingsSortByRoomName(false)),
              (std::vector<std::string>{"beta", "Alpha"}));
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0]->customKeys()[0]->label(), "Alpha key");
    EXPECT_EQ(listed[0]->muteCommand()->pressCommand(), "MUTE Alpha");
    EXPECT_EQ(listed[0]->volumeUpCommand()->pressCommand(), "UP Alpha");
    EXPECT_EQ(listed[0]->volumeDownCommand()->ID(), 0);
    EXPECT_EQ(listed[0]->volumeDownCommand()->type(), 0);
    EXPECT_TRUE(listed[1]->customKeys().empty());
}

TEST_F(ProfileModelsTest, AutoConnectStaysWithTheLastSavedMarkedProfile) {
    EXPECT_FALSE(ConnectionSettingsManager::isAutoConnected());
    ConnectionSettings first = profile("First", true);
    ConnectionSettings second = profile("Second", true);
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(first));
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(second));
    EXPECT_TRUE(ConnectionSettingsManager::isAutoConnected());
    EXPECT_EQ(scalar("select group_concat(roomName) from ConnectionSettings where isAutoConnect=1"),
              "Second");
}

TEST_F(ProfileModelsTest, UpdateAndRemoveTouchOnlyTheRowsTheObjectsName) {
    ConnectionSettings stored = profile("Desk");
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(stored));

    // Parts that were never saved (ID 0) match no row: both calls still succeed.
    ConnectionSettings edited = profile("Desk edited");
    edited.setID(stored.ID());
    EXPECT_TRUE(ConnectionSettingsManager::updateConnectionSettings(edited));
    EXPECT_EQ(scalar("select roomName from ConnectionSettings"), "Desk edited");
    EXPECT_EQ(scalar("select pressCommand from MuteCommand"), "MUTE Desk");

    stored.customKeys().resize(2);
    EXPECT_TRUE(ConnectionSettingsManager::removeConnectionSettings(stored));
    EXPECT_EQ(count("ConnectionSettings"), 0);
    EXPECT_EQ(count("CustomKey"), 3);
    EXPECT_EQ(count("MuteCommand") + count("VolumeCommand"), 0);
}

TEST_F(ProfileModelsTest, MissingPartsSaveAsNewOnes) {
    ConnectionSettings settings = profile("Bare");
    settings.setMuteCommand(nullptr);
    settings.setVolumeDownCommand(nullptr);
    settings.customKeys()[1] = nullptr;
    ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(settings));
    EXPECT_EQ(count("CustomKey"), 5);
    EXPECT_EQ(scalar("select count(*) from MuteCommand where pressCommand=''"), "1");
    EXPECT_EQ(scalar("select group_concat(type || ':' || pressCommand) from VolumeCommand"), "0:UP Bare,1:");
}

// A missing volume-down saved as a second volume-up row hides the real volume-up from every
// later read; each slot is stored as its own direction, whatever its object says.
TEST_F(ProfileModelsTest, EachVolumeSlotIsStoredAsItsOwnDirection) {
    for (const bool missing : {true, false}) {
        run("delete from ConnectionSettings");
        run("delete from VolumeCommand");
        ConnectionSettings settings = profile("Slots");
        if (missing)
            settings.setVolumeDownCommand(nullptr);
        else
            settings.volumeDownCommand()->setType(0);
        ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(settings));
        const auto listed = ConnectionSettingsManager::allConnectionSettings();
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0]->volumeUpCommand()->pressCommand(), "UP Slots") << missing;
        EXPECT_EQ(listed[0]->volumeDownCommand()->type(), 1) << missing;

        settings.volumeUpCommand()->setType(1);
        ASSERT_TRUE(ConnectionSettingsManager::updateConnectionSettings(settings));
        EXPECT_EQ(ConnectionSettingsManager::allConnectionSettings()[0]->volumeUpCommand()->pressCommand(),
                  "UP Slots")
            << missing;
    }
}

} // namespace
