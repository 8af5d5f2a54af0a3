#pragma once

#include "Logic/profiles/CPPMuteCommand.h"

#include <cstdint>

// Table MuteCommand: one row per profile, tied to it by connectionId.
class CPPMuteCommandTable {
public:
    static CPPMuteCommandTable& getInstance();

    bool createTable();
    // The profile's mute command; the default record (id 0) unless exactly one row matches.
    // Uncached: a saved change counts from the next received line.
    CPPMuteCommand getByConnectionId(int32_t connectionId);

    // Stores the command for the profile and writes the new row's id into it.
    bool insert(CPPMuteCommand& command, int32_t connectionId);
    // By the command's id; the row keeps its profile. An unmatched id succeeds.
    bool update(const CPPMuteCommand& command);
    bool remove(const CPPMuteCommand& command);

private:
    CPPMuteCommandTable() = default;
};
