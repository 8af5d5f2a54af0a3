#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "ProfileStoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Stands in for the device side: records each update it is told of and, like the device
// side, reads the stored mute command from inside the call.
class ConnectionSettingsManager : public ProfileStoreFixture {
protected:
    void SetUp() override {
        ProfileStoreFixture::SetUp();
        manager().setConnectionSettingsUpdatedCallback([this](const CPPConnectionSettings& settings) {
            m_traceAtCall = trace().size();
            m_told.push_back(settings.getId());
            m_muteSeen.push_back(manager().getMuteCommand(settings.getId()).getPressCommand());
        });
    }
    void TearDown() override {
        manager().setConnectionSettingsUpdatedCallback(nullptr);
        ProfileStoreFixture::TearDown();
    }

    static CPPConnectionSettingsManager& manager() { return CPPConnectionSettingsManager::getInstance(); }

    // A profile "R" with its parts, added through the manager.
    void addProfile(size_t keyCount = 0) {
        m_profile = profile("R");
        m_keys.clear();
        for (size_t index = 0; index < keyCount; ++index) {
            CPPCustomKey key;
            key.setLabel("K" + std::to_string(index + 1));
            m_keys.push_back(key);
        }
        m_mute = CPPMuteCommand();
        m_mute.setPressCommand("mute");
        m_up = CPPVolumeCommand();
        m_up.setType(CPPVolumeCommand::typeUp);
        m_down = CPPVolumeCommand();
        m_down.setType(CPPVolumeCommand::typeDown);
        m_added = manager().addConnectionSettings(m_profile, m_keys, m_mute, m_up, m_down);
    }
    bool update() { return manager().updateConnectionSettings(m_profile, m_keys, m_mute, m_up, m_down); }
    bool remove() { return manager().removeConnectionSettings(m_profile, m_keys, m_mute, m_up, m_down); }
    std::string count(const std::string& table) { return scalar("select count(*) from " + table); }

    CPPConnectionSettings m_profile;
    std::vector<CPPCustomKey> m_keys;
    CPPMuteCommand m_mute;
    CPPVolumeCommand m_up;
    CPPVolumeCommand m_down;
    bool m_added = false;

    std::vector<int32_t> m_told;
    std::vector<std::string> m_muteSeen;
    size_t m_traceAtCall = 0;
};

TEST_F(ConnectionSettingsManager, AddStoresEveryPartAndHandsBackTheIds) {
    addProfile();
    EXPECT_TRUE(m_added);
    EXPECT_EQ(m_profile.getId(), 1);
    EXPECT_EQ(m_mute.getId(), 1);
    EXPECT_EQ(m_up.getId(), 1);
    EXPECT_EQ(m_down.getId(), 2);
    EXPECT_EQ(manager().getVolumeDownCommand(1).getId(), 2);
    EXPECT_EQ(manager().getVolumeUpCommand(1).getId(), 1);
    EXPECT_TRUE(m_told.empty());

    addProfile(5);
    EXPECT_TRUE(m_added);
    const std::vector<CPPCustomKey> keys = manager().getCustomKeys(2);
    ASSERT_EQ(keys.size(), 5U);
    for (size_t index = 0; index < keys.size(); ++index) {
        EXPECT_EQ(keys[index].getLabel(), "K" + std::to_string(index + 1));
        EXPECT_EQ(keys[index].getId(), m_keys[index].getId());
    }
    EXPECT_EQ(scalar("select group_concat(distinct connectionId) from CustomKey"), "2");
}

// No transaction: the first failure stops the add and keeps what was already written.
TEST_F(ConnectionSettingsManager, AddStopsAtTheFirstFailure) {
    m_profile = profile("R");
    m_keys.resize(4);
    m_keys[2].setLabel(std::string("bad\0", 4));
    EXPECT_FALSE(manager().addConnectionSettings(m_profile, m_keys, m_mute, m_up, m_down));
    EXPECT_EQ(m_profile.getId(), 1);
    EXPECT_EQ(count("ConnectionSettings") + count("CustomKey") + count("MuteCommand") +
                  count("VolumeCommand"),
              "1200");
    EXPECT_EQ(m_keys[1].getId(), 2);
    EXPECT_EQ(m_keys[2].getId(), 0);

    run("drop table CustomKey");
    CPPConnectionSettings refused = profile(std::string("\0", 1));
    EXPECT_FALSE(manager().addConnectionSettings(refused, m_keys, m_mute, m_up, m_down));
    EXPECT_EQ(count("ConnectionSettings"), "1");
}

// The device side re-reads the mute and volume commands when told, so it must be told after
// they are written.
TEST_F(ConnectionSettingsManager, UpdateTellsTheDeviceSideLast) {
    addProfile(2);
    m_mute.setPressCommand("new mute");
    m_keys[0].setLabel("K1b");
    clearTrace();
    ASSERT_TRUE(update());
    ASSERT_EQ(m_told, (std::vector<int32_t>{1}));
    EXPECT_EQ(m_muteSeen, (std::vector<std::string>{"new mute"}));
    const std::vector<std::string> statements = trace();
    ASSERT_EQ(statements.size(), 7U);
    EXPECT_EQ(statements[0].rfind("update ConnectionSettings set ", 0), 0U);
    EXPECT_EQ(statements[1].rfind("update CustomKey set label='K1b'", 0), 0U);
    EXPECT_EQ(statements[3].rfind("update MuteCommand set pressCommand='new mute'", 0), 0U);
    EXPECT_EQ(statements[5],
              "update VolumeCommand set type=1, pressCommand='', releaseCommand='' where id=2");
    // The callback's own read is the only statement after the last volume update.
    EXPECT_EQ(m_traceAtCall, 6U);
    EXPECT_EQ(statements[6], "select * from MuteCommand where connectionId=1");
}

TEST_F(ConnectionSettingsManager, UpdateTellsAfterAFailedPartButNotAfterAFailedProfile) {
    addProfile();
    run("drop table MuteCommand");
    clearTrace();
    EXPECT_FALSE(update());
    EXPECT_EQ(m_told, (std::vector<int32_t>{1}));
    // The mute failure ends the part writes: no volume statement follows it.
    EXPECT_EQ(trace()[1].rfind("update MuteCommand", 0), 0U);
    EXPECT_EQ(m_traceAtCall, 2U);

    m_told.clear();
    m_profile.setRoomName(std::string("\0", 1));
    clearTrace();
    EXPECT_FALSE(update());
    EXPECT_TRUE(m_told.empty());
    EXPECT_TRUE(trace().empty());

    run("drop table ConnectionSettings");
    m_profile.setRoomName("R");
    clearTrace();
    EXPECT_FALSE(update());
    EXPECT_TRUE(m_told.empty());
    EXPECT_EQ(trace().size(), 1U);
}

// Update inserts nothing: parts that were never stored stay absent, and the answer is true.
TEST_F(ConnectionSettingsManager, UpdateOfUnstoredPartsInsertsNothing) {
    addProfile();
    m_keys.resize(1);
    m_mute = CPPMuteCommand();
    EXPECT_TRUE(update());
    EXPECT_EQ(count("CustomKey") + count("MuteCommand"), "01");
}

TEST_F(ConnectionSettingsManager, RemoveDeletesTheProfileThenThePassedParts) {
    addProfile(2);
    CPPVolumeCommand keptDown = m_down;
    m_down = CPPVolumeCommand();
    clearTrace();
    EXPECT_TRUE(remove());
    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "delete from ConnectionSettings where id=1", "delete from CustomKey where id=1",
                           "delete from CustomKey where id=2", "delete from MuteCommand where id=1",
                           "delete from VolumeCommand where id=1", "delete from VolumeCommand where id=0"}));
    EXPECT_EQ(count("ConnectionSettings") + count("CustomKey") + count("MuteCommand") +
                  count("VolumeCommand"),
              "0001");
    EXPECT_EQ(manager().getVolumeDownCommand(1).getId(), keptDown.getId());
    EXPECT_TRUE(m_told.empty());

    // The profile row goes first; a later failure keeps the deletions already made.
    addProfile();
    run("drop table MuteCommand");
    EXPECT_FALSE(remove());
    EXPECT_EQ(count("ConnectionSettings"), "0");
    EXPECT_EQ(count("VolumeCommand"), "3");
}

TEST_F(ConnectionSettingsManager, ListsByRoomNameAndFindsAutoConnect) {
    for (const std::string name : {"beta", "Alpha", "GAMMA"}) {
        CPPConnectionSettings settings = profile(name, name == "beta");
        std::vector<CPPCustomKey> keys;
        CPPMuteCommand muteCommand;
        CPPVolumeCommand up;
        CPPVolumeCommand down;
        ASSERT_TRUE(manager().addConnectionSettings(settings, keys, muteCommand, up, down));
    }
    std::vector<std::string> names;
    for (const CPPConnectionSettings& settings : manager().allConnectionSettings())
        names.push_back(settings.getRoomName());
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "GAMMA"}));
    EXPECT_EQ(manager().allConnectionSettingsSortByRoomName(false).front().getRoomName(), "GAMMA");
    EXPECT_TRUE(manager().isAutoConnected());
    EXPECT_EQ(manager().getMuteCommand(99).getId(), 0);
}

} // namespace
