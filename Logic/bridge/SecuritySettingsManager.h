#pragma once

#include "Logic/bridge/SecuritySettings.h"

// The settings lock for the screens: read a model, change it, hand it back to update. The
// model comes from the stored row (the defaults when there is not exactly one); an update
// answers false when its ID matches no row. Interface thread only.
class SecuritySettingsManager {
public:
    SecuritySettingsManager() = delete;

    static SecuritySettingsPtr securitySettings();
    static bool updateSecuritySettings(const SecuritySettings& settings);
};
