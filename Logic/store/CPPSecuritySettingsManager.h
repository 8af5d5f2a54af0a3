#pragma once

#include "Logic/store/CPPSecuritySettings.h"

// The front the bridge uses for the settings lock. Stateless.
class CPPSecuritySettingsManager {
public:
    static CPPSecuritySettingsManager& getInstance();

    CPPSecuritySettings securitySettings();
    bool updateSecuritySettings(const CPPSecuritySettings& settings);

private:
    CPPSecuritySettingsManager() = default;
};
