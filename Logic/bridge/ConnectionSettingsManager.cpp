#include "Logic/bridge/ConnectionSettingsManager.h"

#include "Logic/bridge/ProfileConversions.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"

namespace {

// A profile and its parts as the core manager takes them.
struct Records {
    CPPConnectionSettings profile;
    std::vector<CPPCustomKey> keys;
    CPPMuteCommand mute;
    CPPVolumeCommand volumeUp;
    CPPVolumeCommand volumeDown;
};

Records recordsOf(const ConnectionSettings& settings) {
    Records records;
    records.profile = connectionSettingsToCpp(settings);
    records.keys = customKeysToCpp(settings.customKeys());
    if (settings.muteCommand() != nullptr)
        records.mute = muteCommandToCpp(*settings.muteCommand());
    if (settings.volumeUpCommand() != nullptr)
        records.volumeUp = volumeCommandToCpp(*settings.volumeUpCommand());
    if (settings.volumeDownCommand() != nullptr)
        records.volumeDown = volumeCommandToCpp(*settings.volumeDownCommand());
    // Each slot is saved as its own direction, whatever its object says or when it has none:
    // a second row of one type hides the real one from every later read.
    records.volumeUp.setType(CPPVolumeCommand::typeUp);
    records.volumeDown.setType(CPPVolumeCommand::typeDown);
    return records;
}

template <typename Model, typename Record>
void takeId(const std::shared_ptr<Model>& model, const Record& record) {
    if (model != nullptr)
        model->setID(record.getId());
}

} // namespace

std::vector<ConnectionSettingsPtr> ConnectionSettingsManager::allConnectionSettings() {
    return connectionSettingsListFromCpp(CPPConnectionSettingsManager::getInstance().allConnectionSettings());
}

std::vector<ConnectionSettingsPtr>
ConnectionSettingsManager::allConnectionSettingsSortByRoomName(bool ascending) {
    return connectionSettingsListFromCpp(
        CPPConnectionSettingsManager::getInstance().allConnectionSettingsSortByRoomName(ascending));
}

bool ConnectionSettingsManager::isAutoConnected() {
    return CPPConnectionSettingsManager::getInstance().isAutoConnected();
}

bool ConnectionSettingsManager::addConnectionSettings(ConnectionSettings& settings) {
    Records records = recordsOf(settings);
    if (!CPPConnectionSettingsManager::getInstance().addConnectionSettings(
            records.profile, records.keys, records.mute, records.volumeUp, records.volumeDown))
        return false;
    settings.setID(records.profile.getId());
    for (size_t i = 0; i < settings.customKeys().size(); ++i)
        takeId(settings.customKeys()[i], records.keys[i]);
    takeId(settings.muteCommand(), records.mute);
    takeId(settings.volumeUpCommand(), records.volumeUp);
    takeId(settings.volumeDownCommand(), records.volumeDown);
    return true;
}

bool ConnectionSettingsManager::updateConnectionSettings(const ConnectionSettings& settings) {
    const Records records = recordsOf(settings);
    return CPPConnectionSettingsManager::getInstance().updateConnectionSettings(
        records.profile, records.keys, records.mute, records.volumeUp, records.volumeDown);
}

bool ConnectionSettingsManager::removeConnectionSettings(const ConnectionSettings& settings) {
    const Records records = recordsOf(settings);
    return CPPConnectionSettingsManager::getInstance().removeConnectionSettings(
        records.profile, records.keys, records.mute, records.volumeUp, records.volumeDown);
}
