#pragma once

#include "Logic/bridge/ConnectionSettings.h"

#include <cstdint>
#include <string>
#include <vector>

// Connection profiles to and from a CSV file: a version line, a title line, then eight rows
// per profile (the main row, volume up, volume down, custom keys 1 to 5) of 20 fields, the
// last six of which form a small table of commands. Not carried: ids, port, serial path,
// slider commands, groups and whether a key is enabled.
class ConnectionCSV {
public:
    ConnectionCSV() = delete;

    // Replaces the file only once the whole text is written; false leaves it as it was.
    static bool exportToFile(const std::string& path, const std::vector<ConnectionSettingsPtr>& connections);
    // New, unsaved profiles in file order; empty when nothing could be read. Each problem
    // found (the file unreadable, empty, not UTF-8 or not a profile file, a row or a block of
    // another shape) adds one plain message.
    static std::vector<ConnectionSettingsPtr> parseFile(const std::string& path,
                                                        std::vector<std::string>* problems = nullptr);

    static int64_t parseInt(const std::string& text);
    static bool parseBool(const std::string& text);
    // 1 for exactly "Telnet", else 2.
    static int64_t parseConnectionType(const std::string& text);
    // 1 for exactly "VoIP", else 2.
    static int64_t parsePhoneType(const std::string& text);
};
