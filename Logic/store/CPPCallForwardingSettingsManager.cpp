#include "Logic/store/CPPCallForwardingSettingsManager.h"

CPPCallForwardingSettingsManager& CPPCallForwardingSettingsManager::getInstance() {
    static CPPCallForwardingSettingsManager* const instance = new CPPCallForwardingSettingsManager;
    return *instance;
}
