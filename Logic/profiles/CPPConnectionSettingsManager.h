#pragma once

#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPCustomKey.h"
#include "Logic/profiles/CPPMuteCommand.h"
#include "Logic/profiles/CPPVolumeCommand.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// The one way a profile is stored, listed and removed together with its custom keys, mute
// command and volume commands. There is no transaction: an operation stops at its first
// failure and keeps what it already wrote.
class CPPConnectionSettingsManager {
public:
    static CPPConnectionSettingsManager& getInstance();

    // Told of every successfully updated profile. The device side sets it when created and
    // clears it (empty) when destroyed; the call runs with no lock held, so it may call back
    // into the manager and the database. Clearing does not wait for a call under way.
    using ConnectionSettingsUpdatedCallback = std::function<void(const CPPConnectionSettings&)>;
    void setConnectionSettingsUpdatedCallback(ConnectionSettingsUpdatedCallback callback);

    // Ordered by room name ascending, letter case ignored.
    std::vector<CPPConnectionSettings> allConnectionSettings();
    std::vector<CPPConnectionSettings> allConnectionSettingsSortByRoomName(bool ascending);
    bool isAutoConnected();

    // Profile, keys in vector order, mute, volume up, volume down; each insert writes its new id
    // into the caller's record, and the parts get the profile's new id as connectionId.
    bool addConnectionSettings(CPPConnectionSettings& settings, std::vector<CPPCustomKey>& keys,
                               CPPMuteCommand& mute, CPPVolumeCommand& volumeUp,
                               CPPVolumeCommand& volumeDown);
    // Writes by id only, inserting nothing. Once the profile row is written the callback runs
    // last, even when a part failed; the answer is the first failure or true.
    bool updateConnectionSettings(const CPPConnectionSettings& settings,
                                  const std::vector<CPPCustomKey>& keys, const CPPMuteCommand& mute,
                                  const CPPVolumeCommand& volumeUp, const CPPVolumeCommand& volumeDown);
    // Deletes the profile row first, then exactly the parts passed, by id.
    bool removeConnectionSettings(const CPPConnectionSettings& settings,
                                  const std::vector<CPPCustomKey>& keys, const CPPMuteCommand& mute,
                                  const CPPVolumeCommand& volumeUp, const CPPVolumeCommand& volumeDown);

    std::vector<CPPCustomKey> getCustomKeys(int32_t connectionId);
    // Default records when there is not exactly one matching row.
    CPPMuteCommand getMuteCommand(int32_t connectionId);
    CPPVolumeCommand getVolumeUpCommand(int32_t connectionId);
    CPPVolumeCommand getVolumeDownCommand(int32_t connectionId);

private:
    CPPConnectionSettingsManager() = default;

    static bool updateParts(const std::vector<CPPCustomKey>& keys, const CPPMuteCommand& mute,
                            const CPPVolumeCommand& volumeUp, const CPPVolumeCommand& volumeDown);
    void notifyUpdated(const CPPConnectionSettings& settings);

    std::mutex m_callbackMutex;
    ConnectionSettingsUpdatedCallback m_updatedCallback;
};
