#include "Logic/bridge/ProfileConversions.h"

#include "Logic/bridge/ConvertEach.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"

int64_t normalisedConnectionType(int64_t connectionType) {
    return connectionType == ConnectionType::TELNET ? ConnectionType::TELNET : ConnectionType::SERIAL;
}

ConnectionSettingsPtr connectionSettingsFromCpp(const CPPConnectionSettings& record) {
    auto model = std::make_shared<ConnectionSettings>();
    model->setID(widenSigned(record.getId()));
    model->setRoomName(record.getRoomName());
    model->setConnectionType(normalisedConnectionType(record.getConnectionType()));
    model->setIp(record.getIp());
    model->setPort(static_cast<uint64_t>(widenSigned(record.getPort())));
    // -1 ("no port") becomes the largest value and goes back as -1.
    model->setSerialPort(static_cast<uint64_t>(widenSigned(record.getSerialPort())));
    model->setSerialPath(record.getSerialPath());
    model->setPhoneType(widenUnsigned(record.getPhoneType()));
    model->setLabel(record.getLabel());
    model->setUserName(record.getUserName());
    model->setPassword(record.getPassword());
    model->setTelcoVoIPEPN(record.getTelcoVoIPEPN());
    model->setIsEPN(record.isEPN());
    model->setIsAutoConnect(record.isAutoConnect());
    model->setNotificationFormat(record.getNotification());
    model->setQueryVolumeCommand(record.getQueryVolumeCommand());
    model->setSliderPressedCommand(record.getSliderPressedCommand());
    model->setSliderReleasedCommand(record.getSliderReleasedCommand());
    model->setMinVolumeValueCommand(record.getMinVolumeValueCommand());
    model->setMaxVolumeValueCommand(record.getMaxVolumeValueCommand());
    model->setUsesSpeakerGroup(record.usesSpeakerGroup());
    model->setSpeakerGroupName(record.getSpeakerGroupName());
    model->setUsesMicrophoneGroup(record.usesMicrophoneGroup());
    model->setMicrophoneGroupName(record.getMicrophoneGroupName());

    // Exactly what the store holds: no keys when there are none, default commands when a
    // row is missing.
    CPPConnectionSettingsManager& manager = CPPConnectionSettingsManager::getInstance();
    const int32_t id = record.getId();
    model->setCustomKeys(customKeysFromCpp(manager.getCustomKeys(id)));
    model->setMuteCommand(muteCommandFromCpp(manager.getMuteCommand(id)));
    model->setVolumeUpCommand(volumeCommandFromCpp(manager.getVolumeUpCommand(id)));
    model->setVolumeDownCommand(volumeCommandFromCpp(manager.getVolumeDownCommand(id)));
    return model;
}

std::vector<ConnectionSettingsPtr>
connectionSettingsListFromCpp(const std::vector<CPPConnectionSettings>& records) {
    return convertEach(records, connectionSettingsFromCpp);
}

CPPConnectionSettings connectionSettingsToCpp(const ConnectionSettings& model) {
    CPPConnectionSettings record;
    record.setId(lowBits(model.ID()));
    record.setRoomName(model.roomName());
    record.setConnectionType(static_cast<int32_t>(normalisedConnectionType(model.connectionType())));
    record.setIp(model.ip());
    record.setPort(lowBits(model.port()));
    record.setSerialPort(lowBits(model.serialPort()));
    record.setSerialPath(model.serialPath());
    record.setPhoneType(lowBits(model.phoneType()));
    record.setLabel(model.label());
    record.setUserName(model.userName());
    record.setPassword(model.password());
    record.setTelcoVoIPEPN(model.telcoVoIPEPN());
    record.setIsEPN(model.isEPN());
    record.setIsAutoConnect(model.isAutoConnect());
    record.setNotification(model.notificationFormat());
    record.setQueryVolumeCommand(model.queryVolumeCommand());
    record.setSliderPressedCommand(model.sliderPressedCommand());
    record.setSliderReleasedCommand(model.sliderReleasedCommand());
    record.setMinVolumeValueCommand(model.minVolumeValueCommand());
    record.setMaxVolumeValueCommand(model.maxVolumeValueCommand());
    record.setUsesSpeakerGroup(model.usesSpeakerGroup());
    record.setSpeakerGroupName(model.speakerGroupName());
    record.setUsesMicrophoneGroup(model.usesMicrophoneGroup());
    record.setMicrophoneGroupName(model.microphoneGroupName());
    return record;
}

CustomKeyPtr customKeyFromCpp(const CPPCustomKey& record) {
    auto model = std::make_shared<CustomKey>();
    model->setID(widenSigned(record.getId()));
    model->setLabel(record.getLabel());
    model->setPressCommand(record.getPressCommand());
    model->setReleaseCommand(record.getReleaseCommand());
    model->setEnabled(record.isEnabled());
    return model;
}

CPPCustomKey customKeyToCpp(const CustomKey& model) {
    CPPCustomKey record;
    record.setId(lowBits(model.ID()));
    record.setLabel(model.label());
    record.setPressCommand(model.pressCommand());
    record.setReleaseCommand(model.releaseCommand());
    record.setEnabled(model.enabled());
    return record;
}

std::vector<CustomKeyPtr> customKeysFromCpp(const std::vector<CPPCustomKey>& records) {
    return convertEach(records, customKeyFromCpp);
}

std::vector<CPPCustomKey> customKeysToCpp(const std::vector<CustomKeyPtr>& models) {
    return convertEach(models, [](const CustomKeyPtr& model) {
        return model != nullptr ? customKeyToCpp(*model) : CPPCustomKey();
    });
}

MuteCommandPtr muteCommandFromCpp(const CPPMuteCommand& record) {
    auto model = std::make_shared<MuteCommand>();
    model->setID(widenSigned(record.getId()));
    model->setPressCommand(record.getPressCommand());
    model->setQueryCommand(record.getQueryCommand());
    model->setActiveNotificationFormat(record.getActiveNotificationFormat());
    model->setInactiveNotificationFormat(record.getInactiveNotificationFormat());
    return model;
}

CPPMuteCommand muteCommandToCpp(const MuteCommand& model) {
    CPPMuteCommand record;
    record.setId(lowBits(model.ID()));
    record.setPressCommand(model.pressCommand());
    record.setQueryCommand(model.queryCommand());
    record.setActiveNotificationFormat(model.activeNotificationFormat());
    record.setInactiveNotificationFormat(model.inactiveNotificationFormat());
    return record;
}

VolumeCommandPtr volumeCommandFromCpp(const CPPVolumeCommand& record) {
    auto model = std::make_shared<VolumeCommand>();
    model->setID(widenSigned(record.getId()));
    model->setType(widenUnsigned(record.getType()));
    model->setPressCommand(record.getPressCommand());
    model->setReleaseCommand(record.getReleaseCommand());
    return model;
}

CPPVolumeCommand volumeCommandToCpp(const VolumeCommand& model) {
    CPPVolumeCommand record;
    record.setId(lowBits(model.ID()));
    record.setType(lowBits(model.type()));
    record.setPressCommand(model.pressCommand());
    record.setReleaseCommand(model.releaseCommand());
    return record;
}
