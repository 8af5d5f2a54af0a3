#include "Logic/profiles/CPPConnectionSettingsManager.h"

#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/profiles/CPPCustomKeyTable.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/profiles/CPPVolumeCommandTable.h"

CPPConnectionSettingsManager& CPPConnectionSettingsManager::getInstance() {
    static CPPConnectionSettingsManager* const instance = new CPPConnectionSettingsManager;
    return *instance;
}

void CPPConnectionSettingsManager::setConnectionSettingsUpdatedCallback(
    ConnectionSettingsUpdatedCallback callback) {
    std::lock_guard lock(m_callbackMutex);
    m_updatedCallback = std::move(callback);
}

std::vector<CPPConnectionSettings> CPPConnectionSettingsManager::allConnectionSettings() {
    return CPPConnectionSettingsTable::getInstance().getAllOrderedByRoomName(true);
}

std::vector<CPPConnectionSettings>
CPPConnectionSettingsManager::allConnectionSettingsSortByRoomName(bool ascending) {
    return CPPConnectionSettingsTable::getInstance().getAllOrderedByRoomName(ascending);
}

bool CPPConnectionSettingsManager::isAutoConnected() {
    return CPPConnectionSettingsTable::getInstance().hasAutoConnect();
}

bool CPPConnectionSettingsManager::addConnectionSettings(CPPConnectionSettings& settings,
                                                         std::vector<CPPCustomKey>& keys,
                                                         CPPMuteCommand& mute, CPPVolumeCommand& volumeUp,
                                                         CPPVolumeCommand& volumeDown) {
    if (!CPPConnectionSettingsTable::getInstance().insert(settings))
        return false;
    const int32_t connectionId = settings.getId();
    CPPCustomKeyTable& keyTable = CPPCustomKeyTable::getInstance();
    for (CPPCustomKey& key : keys) {
        if (!keyTable.insert(key, connectionId))
            return false;
    }
    CPPVolumeCommandTable& volumeTable = CPPVolumeCommandTable::getInstance();
    return CPPMuteCommandTable::getInstance().insert(mute, connectionId) &&
           volumeTable.insert(volumeUp, connectionId) && volumeTable.insert(volumeDown, connectionId);
}

bool CPPConnectionSettingsManager::updateConnectionSettings(const CPPConnectionSettings& settings,
                                                            const std::vector<CPPCustomKey>& keys,
                                                            const CPPMuteCommand& mute,
                                                            const CPPVolumeCommand& volumeUp,
                                                            const CPPVolumeCommand& volumeDown) {
    if (!CPPConnectionSettingsTable::getInstance().update(settings))
        return false;
    const bool partsWritten = updateParts(keys, mute, volumeUp, volumeDown);
    // Told last, so the device side re-reads the mute and volume commands as now stored.
    notifyUpdated(settings);
    return partsWritten;
}

bool CPPConnectionSettingsManager::removeConnectionSettings(const CPPConnectionSettings& settings,
                                                            const std::vector<CPPCustomKey>& keys,
                                                            const CPPMuteCommand& mute,
                                                            const CPPVolumeCommand& volumeUp,
                                                            const CPPVolumeCommand& volumeDown) {
    if (!CPPConnectionSettingsTable::getInstance().remove(settings))
        return false;
    CPPCustomKeyTable& keyTable = CPPCustomKeyTable::getInstance();
    for (const CPPCustomKey& key : keys) {
        if (!keyTable.remove(key))
            return false;
    }
    CPPVolumeCommandTable& volumeTable = CPPVolumeCommandTable::getInstance();
    return CPPMuteCommandTable::getInstance().remove(mute) && volumeTable.remove(volumeUp) &&
           volumeTable.remove(volumeDown);
}

std::vector<CPPCustomKey> CPPConnectionSettingsManager::getCustomKeys(int32_t connectionId) {
    return CPPCustomKeyTable::getInstance().getByConnectionId(connectionId);
}

CPPMuteCommand CPPConnectionSettingsManager::getMuteCommand(int32_t connectionId) {
    return CPPMuteCommandTable::getInstance().getByConnectionId(connectionId);
}

CPPVolumeCommand CPPConnectionSettingsManager::getVolumeUpCommand(int32_t connectionId) {
    return CPPVolumeCommandTable::getInstance().getVolumeUpByConnectionId(connectionId);
}

CPPVolumeCommand CPPConnectionSettingsManager::getVolumeDownCommand(int32_t connectionId) {
    return CPPVolumeCommandTable::getInstance().getVolumeDownByConnectionId(connectionId);
}

bool CPPConnectionSettingsManager::updateParts(const std::vector<CPPCustomKey>& keys,
                                               const CPPMuteCommand& mute, const CPPVolumeCommand& volumeUp,
                                               const CPPVolumeCommand& volumeDown) {
    CPPCustomKeyTable& keyTable = CPPCustomKeyTable::getInstance();
    for (const CPPCustomKey& key : keys) {
        if (!keyTable.update(key))
            return false;
    }
    CPPVolumeCommandTable& volumeTable = CPPVolumeCommandTable::getInstance();
    return CPPMuteCommandTable::getInstance().update(mute) && volumeTable.update(volumeUp) &&
           volumeTable.update(volumeDown);
}

void CPPConnectionSettingsManager::notifyUpdated(const CPPConnectionSettings& settings) {
    ConnectionSettingsUpdatedCallback callback;
    {
        std::lock_guard lock(m_callbackMutex);
        callback = m_updatedCallback;
    }
    if (callback)
        callback(settings);
}
