#pragma once

#include "Logic/profiles/CPPVolumeCommand.h"

#include <cstdint>

// Table VolumeCommand: a volume-up (type 0) and a volume-down (type 1) row per profile, tied
// to it by connectionId. Nothing keeps a type unique per profile.
class CPPVolumeCommandTable {
public:
    static CPPVolumeCommandTable& getInstance();

    bool createTable();
    // The default record (id 0, type 0) unless exactly one row of that type matches.
    CPPVolumeCommand getVolumeUpByConnectionId(int32_t connectionId);
    CPPVolumeCommand getVolumeDownByConnectionId(int32_t connectionId);
    static CPPVolumeCommand getByTypeAndConnectionId(int32_t type, int32_t connectionId);

    // Stores the command, its type as it holds it, and writes the new row's id into it.
    bool insert(CPPVolumeCommand& command, int32_t connectionId);
    // By the command's id: type and texts; the row keeps its profile. An unmatched id succeeds.
    bool update(const CPPVolumeCommand& command);
    bool remove(const CPPVolumeCommand& command);

private:
    CPPVolumeCommandTable() = default;
};
