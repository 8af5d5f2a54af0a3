#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/profiles/CPPCustomKeyTable.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/profiles/CPPVolumeCommandTable.h"
#include "support/DatabaseFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class ProfileStoreThreads : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        database().setStatementObserver(nullptr);
        run("pragma synchronous = off");
        ASSERT_TRUE(CPPConnectionSettingsTable::getInstance().createTable());
        ASSERT_TRUE(CPPCustomKeyTable::getInstance().createTable());
        ASSERT_TRUE(CPPMuteCommandTable::getInstance().createTable());
        ASSERT_TRUE(CPPVolumeCommandTable::getInstance().createTable());
    }
    void TearDown() override {
        CPPConnectionSettingsManager::getInstance().setConnectionSettingsUpdatedCallback(nullptr);
        DatabaseFixture::TearDown();
    }
};

// Profiles are added on the interface thread while a device thread writes rows of its own:
// every part must be tied to the id of its own profile row.
TEST_F(ProfileStoreThreads, AddedPartsCarryTheirOwnProfileId) {
    constexpr int count = 100;
    std::thread device([] {
        for (int i = 0; i < count * 3; ++i) {
            CPPCustomKey key;
            key.setLabel("device");
            CPPCustomKeyTable::getInstance().insert(key, -1);
        }
    });
    std::vector<CPPConnectionSettings> added;
    for (int i = 0; i < count; ++i) {
        CPPConnectionSettings settings;
        settings.setRoomName("room" + std::to_string(i));
        std::vector<CPPCustomKey> keys(1);
        keys[0].setLabel("key" + std::to_string(i));
        CPPMuteCommand mute;
        mute.setPressCommand("mute" + std::to_string(i));
        CPPVolumeCommand up;
        CPPVolumeCommand down;
        down.setType(CPPVolumeCommand::typeDown);
        ASSERT_TRUE(CPPConnectionSettingsManager::getInstance().addConnectionSettings(settings, keys, mute,
                                                                                      up, down));
        added.push_back(settings);
    }
    device.join();

    for (int i = 0; i < count; ++i) {
        const int32_t id = added[i].getId();
        EXPECT_EQ(scalar("select roomName from ConnectionSettings where id=" + std::to_string(id)),
                  "room" + std::to_string(i));
        const std::vector<CPPCustomKey> keys = CPPConnectionSettingsManager::getInstance().getCustomKeys(id);
        ASSERT_EQ(keys.size(), 1U);
        EXPECT_EQ(keys[0].getLabel(), "key" + std::to_string(i));
        EXPECT_EQ(CPPConnectionSettingsManager::getInstance().getMuteCommand(id).getPressCommand(),
                  "mute" + std::to_string(i));
    }
}

// The device side registers and clears its callback on its own thread while profiles are
// saved; a call must never see a half-replaced callback.
TEST_F(ProfileStoreThreads, CallbackMayBeReplacedWhileProfilesAreSaved) {
    CPPConnectionSettings settings;
    std::vector<CPPCustomKey> keys;
    CPPMuteCommand mute;
    CPPVolumeCommand up;
    CPPVolumeCommand down;
    ASSERT_TRUE(
        CPPConnectionSettingsManager::getInstance().addConnectionSettings(settings, keys, mute, up, down));

    std::atomic<int> calls = 0;
    std::atomic<bool> done = false;
    std::thread device([&] {
        while (!done) {
            CPPConnectionSettingsManager::getInstance().setConnectionSettingsUpdatedCallback(
                [&calls](const CPPConnectionSettings&) { ++calls; });
            CPPConnectionSettingsManager::getInstance().setConnectionSettingsUpdatedCallback(nullptr);
        }
    });
    for (int i = 0; i < 200; ++i)
        EXPECT_TRUE(CPPConnectionSettingsManager::getInstance().updateConnectionSettings(settings, keys, mute,
                                                                                         up, down));
    done = true;
    device.join();
    EXPECT_LE(calls.load(), 200);
}

} // namespace
