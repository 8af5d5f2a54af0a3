#include "Logic/bridge/SpeedDialManager.h"

#include "Logic/bridge/DirectoryConversions.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/store/CPPSpeedDialManager.h"

namespace {

std::vector<int64_t> widened(const std::vector<int32_t>& slots) {
    return std::vector<int64_t>(slots.begin(), slots.end());
}

} // namespace

ContactPtr SpeedDialManager::contactBySpeedDial(int64_t slot) {
    const std::vector<CPPContact> owners =
        CPPSpeedDialManager::getInstance().contactBySpeedDial(lowBits(slot));
    return owners.empty() ? nullptr : contactFromCpp(owners.front());
}

ContactNumberPtr SpeedDialManager::contactNumberBySpeedDial(int64_t slot) {
    const std::vector<CPPContactNumber> numbers =
        CPPSpeedDialManager::getInstance().contactNumbersBySpeedDial(lowBits(slot));
    return numbers.empty() ? nullptr : contactNumberFromCpp(numbers.front());
}

std::vector<int64_t> SpeedDialManager::assignedSpeedDials() {
    return widened(CPPSpeedDialManager::getInstance().assignedSpeedDials());
}

std::vector<int64_t> SpeedDialManager::unassignedSpeedDials() {
    return widened(CPPSpeedDialManager::getInstance().unassignedSpeedDials());
}

bool SpeedDialManager::resetSpeedDialForContactNumber(const ContactNumber& number) {
    CPPContactNumber record = contactNumberToCpp(number);
    return CPPSpeedDialManager::getInstance().resetSpeedDialForContactNumber(record);
}
