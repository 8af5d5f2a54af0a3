#include "Logic/store/CPPPreferencesSettingsManager.h"

#include "Logic/store/CPPPreferencesSettingsTable.h"

CPPPreferencesSettingsManager& CPPPreferencesSettingsManager::getInstance() {
    static CPPPreferencesSettingsManager* const instance = new CPPPreferencesSettingsManager;
    return *instance;
}

CPPPreferencesSettings CPPPreferencesSettingsManager::preferencesSettings() {
    return CPPPreferencesSettingsTable::getInstance().get();
}

bool CPPPreferencesSettingsManager::updatePreferencesSettings(const CPPPreferencesSettings& preferences) {
    return CPPPreferencesSettingsTable::getInstance().update(preferences);
}
