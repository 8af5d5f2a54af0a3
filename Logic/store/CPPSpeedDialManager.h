#pragma once

#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPContactNumber.h"

#include <cstdint>
#include <vector>

// The nine speed-dial slots, which live in the speedDial column of the contact numbers.
// Slots are looked up as given, without a range test. Stateless.
class CPPSpeedDialManager {
public:
    static CPPSpeedDialManager& getInstance();

    std::vector<CPPContactNumber> contactNumbersBySpeedDial(int32_t slot);
    // The owner of the first number holding the slot, found through that number's text.
    std::vector<CPPContact> contactBySpeedDial(int32_t slot);
    std::vector<int32_t> assignedSpeedDials();
    std::vector<int32_t> unassignedSpeedDials();
    // Sets the caller's record to no slot, then rewrites its whole row.
    bool resetSpeedDialForContactNumber(CPPContactNumber& number);

private:
    CPPSpeedDialManager() = default;
};
