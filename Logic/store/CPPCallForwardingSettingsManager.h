#pragma once

#include "Logic/store/CPPCallForwardingSettings.h"

// Hands out a default record and accepts updates without keeping them. Stateless.
class CPPCallForwardingSettingsManager {
public:
    static CPPCallForwardingSettingsManager& getInstance();

    CPPCallForwardingSettings callForwardingSettings() { return {}; }
    bool updateCallForwardingSettings(const CPPCallForwardingSettings&) { return true; }

private:
    CPPCallForwardingSettingsManager() = default;
};
