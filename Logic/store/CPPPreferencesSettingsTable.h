#pragma once

#include "Logic/store/CPPPreferencesSettings.h"

// Table "PreferencesSettings" and its single row, which createTable inserts into an empty
// table and nothing ever deletes. Stateless.
class CPPPreferencesSettingsTable {
public:
    static CPPPreferencesSettingsTable& getInstance();

    bool createTable();
    // The stored row when exactly one exists, else a default record (id 0).
    CPPPreferencesSettings get();
    // Writes every field by id; false when the statement fails or no row has that id.
    bool update(const CPPPreferencesSettings& preferences);

private:
    CPPPreferencesSettingsTable() = default;
};
