#include "Logic/store/CPPSecuritySettingsManager.h"

#include "Logic/store/CPPSecuritySettingsTable.h"

CPPSecuritySettingsManager& CPPSecuritySettingsManager::getInstance() {
    static CPPSecuritySettingsManager* const instance = new CPPSecuritySettingsManager;
    return *instance;
}

CPPSecuritySettings CPPSecuritySettingsManager::securitySettings() {
    return CPPSecuritySettingsTable::getInstance().get();
}

bool CPPSecuritySettingsManager::updateSecuritySettings(const CPPSecuritySettings& settings) {
    return CPPSecuritySettingsTable::getInstance().update(settings);
}
