#pragma once

#include "Logic/bridge/CallForwardingSettings.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/SecuritySettings.h"
#include "Logic/store/CPPCallForwardingSettings.h"
#include "Logic/store/CPPPreferencesSettings.h"
#include "Logic/store/CPPSecuritySettings.h"

// Between the settings records of the store and the interface's models.
PreferencesSettingsPtr preferencesSettingsFromCpp(const CPPPreferencesSettings& record);
CPPPreferencesSettings preferencesSettingsToCpp(const PreferencesSettings& model);
SecuritySettingsPtr securitySettingsFromCpp(const CPPSecuritySettings& record);
CPPSecuritySettings securitySettingsToCpp(const SecuritySettings& model);
CallForwardingSettingsPtr callForwardingSettingsFromCpp(const CPPCallForwardingSettings& record);
CPPCallForwardingSettings callForwardingSettingsToCpp(const CallForwardingSettings& model);
