#pragma once

#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactNumber.h"

#include <cstdint>
#include <vector>

// The nine speed-dial slots for the screens. A slot is looked up as given (-1 finds a
// number without one). Interface thread only.
class SpeedDialManager {
public:
    SpeedDialManager() = delete;

    // The owner of the first number holding the slot, with its numbers, or null.
    static ContactPtr contactBySpeedDial(int64_t slot);
    // The first number holding the slot, or null.
    static ContactNumberPtr contactNumberBySpeedDial(int64_t slot);
    // Slots held by numbers, ascending, once per number holding one.
    static std::vector<int64_t> assignedSpeedDials();
    // The slots 1 to 9 that no number holds.
    static std::vector<int64_t> unassignedSpeedDials();
    // Rewrites the stored number with this ID from the object, without a slot. The object
    // keeps its own slot.
    static bool resetSpeedDialForContactNumber(const ContactNumber& number);
};
