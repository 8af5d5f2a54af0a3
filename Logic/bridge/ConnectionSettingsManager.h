#pragma once

#include "Logic/bridge/ConnectionSettings.h"

#include <vector>

// Lists and saves connection profiles for the screens. Lists are new objects each time; a
// save reports only whether every step worked, and nothing is undone when one fails.
// Interface thread only.
class ConnectionSettingsManager {
public:
    ConnectionSettingsManager() = delete;

    // By room name, letter case ignored; each profile with its keys and commands.
    static std::vector<ConnectionSettingsPtr> allConnectionSettings();
    static std::vector<ConnectionSettingsPtr> allConnectionSettingsSortByRoomName(bool ascending);
    static bool isAutoConnected();

    // Stores the profile, its keys, mute and volume commands as new rows (an incoming ID is
    // ignored) and, on success, writes every new id back into the objects. A profile marked
    // auto-connect takes the mark from every other.
    static bool addConnectionSettings(ConnectionSettings& settings);
    // Rewrite and delete by the objects' ids; rows matching no id are left alone.
    static bool updateConnectionSettings(const ConnectionSettings& settings);
    static bool removeConnectionSettings(const ConnectionSettings& settings);
};
