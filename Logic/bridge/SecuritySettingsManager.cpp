#include "Logic/bridge/SecuritySettingsManager.h"

#include "Logic/bridge/SettingsConversions.h"
#include "Logic/store/CPPSecuritySettingsManager.h"

SecuritySettingsPtr SecuritySettingsManager::securitySettings() {
    return securitySettingsFromCpp(CPPSecuritySettingsManager::getInstance().securitySettings());
}

bool SecuritySettingsManager::updateSecuritySettings(const SecuritySettings& settings) {
    return CPPSecuritySettingsManager::getInstance().updateSecuritySettings(securitySettingsToCpp(settings));
}
