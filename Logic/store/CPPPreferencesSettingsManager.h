#pragma once

#include "Logic/store/CPPPreferencesSettings.h"

// The front the bridge and the call code use for the preferences. Stateless.
class CPPPreferencesSettingsManager {
public:
    static CPPPreferencesSettingsManager& getInstance();

    CPPPreferencesSettings preferencesSettings();
    bool updatePreferencesSettings(const CPPPreferencesSettings& preferences);

private:
    CPPPreferencesSettingsManager() = default;
};
