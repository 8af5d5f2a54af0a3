#pragma once

#include "Logic/bridge/PreferencesSettings.h"

// The preferences for the screens: read a model, change it, hand it back to update. The
// model comes from the stored row (the defaults when there is not exactly one); an update
// answers false when its ID matches no row. Interface thread only.
class PreferencesSettingsManager {
public:
    PreferencesSettingsManager() = delete;

    static PreferencesSettingsPtr preferencesSettings();
    static bool updatePreferencesSettings(const PreferencesSettings& settings);
};
