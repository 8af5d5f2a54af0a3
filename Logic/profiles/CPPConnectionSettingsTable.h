#pragma once

#include "Logic/profiles/CPPConnectionSettings.h"

#include <string>
#include <vector>

// Table ConnectionSettings: one row per connection profile. Saving a profile marked
// auto-connect clears the mark on every other row, so at most one stays marked.
class CPPConnectionSettingsTable {
public:
    static CPPConnectionSettingsTable& getInstance();

    bool createTable();
    // In the order the database delivers the rows.
    std::vector<CPPConnectionSettings> getAll();
    // By room name, letter case ignored for ASCII.
    std::vector<CPPConnectionSettings> getAllOrderedByRoomName(bool ascending);
    // Only a stored 1 counts here, although reads take any non-zero flag as set.
    bool hasAutoConnect();

    // Stores a new row and writes its id into the profile; the id it held is ignored.
    bool insert(CPPConnectionSettings& settings);
    // Rewrites every column of the row with the profile's id. An unmatched id succeeds.
    bool update(const CPPConnectionSettings& settings);
    bool remove(const CPPConnectionSettings& settings);

    // Runs a select on this table and makes one record per row, every field from its column;
    // empty when the select fails.
    static std::vector<CPPConnectionSettings> rowsToRecords(const std::string& sql);

private:
    CPPConnectionSettingsTable() = default;

    static bool clearOtherAutoConnects(int32_t keptId);
};
