#pragma once

#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPCustomKey.h"
#include "Logic/profiles/CPPMuteCommand.h"
#include "Logic/profiles/CPPVolumeCommand.h"

#include <cstdint>
#include <vector>

// Between the profile records of the store and the interface's models. A null sub-object
// converts as a default one.

// A new model with the record's fields and the keys and commands the store holds for its id.
ConnectionSettingsPtr connectionSettingsFromCpp(const CPPConnectionSettings& record);
std::vector<ConnectionSettingsPtr>
connectionSettingsListFromCpp(const std::vector<CPPConnectionSettings>& records);
// The profile's own fields only; keys and commands convert separately.
CPPConnectionSettings connectionSettingsToCpp(const ConnectionSettings& model);

CustomKeyPtr customKeyFromCpp(const CPPCustomKey& record);
CPPCustomKey customKeyToCpp(const CustomKey& model);
std::vector<CustomKeyPtr> customKeysFromCpp(const std::vector<CPPCustomKey>& records);
std::vector<CPPCustomKey> customKeysToCpp(const std::vector<CustomKeyPtr>& models);
MuteCommandPtr muteCommandFromCpp(const CPPMuteCommand& record);
CPPMuteCommand muteCommandToCpp(const MuteCommand& model);
VolumeCommandPtr volumeCommandFromCpp(const CPPVolumeCommand& record);
CPPVolumeCommand volumeCommandToCpp(const VolumeCommand& model);

// 1 (Telnet) stays 1; every other value is serial, 2.
int64_t normalisedConnectionType(int64_t connectionType);
