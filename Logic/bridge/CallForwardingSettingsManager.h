#pragma once

#include "Logic/bridge/CallForwardingSettings.h"

// A call-forwarding choice for the screens. Nothing is stored: every read gives the
// defaults, and an update answers true. Interface thread only.
class CallForwardingSettingsManager {
public:
    CallForwardingSettingsManager() = delete;

    static CallForwardingSettingsPtr callForwardingSettings();
    static bool updateCallForwardingSettings(const CallForwardingSettings& settings);
};
