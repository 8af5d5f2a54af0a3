#pragma once

#include "Logic/profiles/CPPCustomKey.h"

#include <cstdint>
#include <string>
#include <vector>

// Table CustomKey: the custom keys of every profile, tied to it by connectionId. Reads have
// no order clause: keys come back in insertion order, and the screens take them by position.
class CPPCustomKeyTable {
public:
    static CPPCustomKeyTable& getInstance();

    bool createTable();
    std::vector<CPPCustomKey> getAll();
    // Exact, case-sensitive label match across all profiles.
    std::vector<CPPCustomKey> getByLabel(const std::string& label);
    std::vector<CPPCustomKey> getByConnectionId(int32_t connectionId);

    // Stores the key for the profile and writes the new row's id into it.
    bool insert(CPPCustomKey& key, int32_t connectionId);
    // By the key's id; the row keeps its profile. An unmatched id succeeds.
    bool update(const CPPCustomKey& key);
    bool remove(const CPPCustomKey& key);

private:
    CPPCustomKeyTable() = default;

    std::vector<CPPCustomKey> rowsToRecords(const std::string& sql);
};
