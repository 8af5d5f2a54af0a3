#include "Logic/bridge/PreferencesSettingsManager.h"

#include "Logic/bridge/SettingsConversions.h"
#include "Logic/store/CPPPreferencesSettingsManager.h"

PreferencesSettingsPtr PreferencesSettingsManager::preferencesSettings() {
    return preferencesSettingsFromCpp(CPPPreferencesSettingsManager::getInstance().preferencesSettings());
}

bool PreferencesSettingsManager::updatePreferencesSettings(const PreferencesSettings& settings) {
    return CPPPreferencesSettingsManager::getInstance().updatePreferencesSettings(
        preferencesSettingsToCpp(settings));
}
