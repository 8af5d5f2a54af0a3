#include "Logic/bridge/CallForwardingSettingsManager.h"

#include "Logic/bridge/SettingsConversions.h"
#include "Logic/store/CPPCallForwardingSettingsManager.h"

CallForwardingSettingsPtr CallForwardingSettingsManager::callForwardingSettings() {
    return callForwardingSettingsFromCpp(
        CPPCallForwardingSettingsManager::getInstance().callForwardingSettings());
}

bool CallForwardingSettingsManager::updateCallForwardingSettings(const CallForwardingSettings& settings) {
    return CPPCallForwardingSettingsManager::getInstance().updateCallForwardingSettings(
        callForwardingSettingsToCpp(settings));
}
