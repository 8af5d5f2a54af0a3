#pragma once

#include "Logic/store/CPPSecuritySettings.h"

// Table "SecuritySettings" and its single row, which createTable inserts into an empty table
// and nothing ever deletes. Stateless.
class CPPSecuritySettingsTable {
public:
    static CPPSecuritySettingsTable& getInstance();

    bool createTable();
    // The stored row when exactly one exists, else a default record (id 0, unprotected).
    CPPSecuritySettings get();
    // False when the statement fails or no row has the record's id.
    bool update(const CPPSecuritySettings& settings);

private:
    CPPSecuritySettingsTable() = default;
};
