#include "Logic/store/CPPSpeedDialManager.h"

#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"

CPPSpeedDialManager& CPPSpeedDialManager::getInstance() {
    static CPPSpeedDialManager* const instance = new CPPSpeedDialManager;
    return *instance;
}

std::vector<CPPContactNumber> CPPSpeedDialManager::contactNumbersBySpeedDial(int32_t slot) {
    return CPPContactNumberTable::getInstance().getBySpeedDial(slot);
}

std::vector<CPPContact> CPPSpeedDialManager::contactBySpeedDial(int32_t slot) {
    const std::vector<CPPContactNumber> numbers = contactNumbersBySpeedDial(slot);
    if (numbers.empty())
        return {};
    std::vector<CPPContact> owners = CPPContactTable::getInstance().getByNumber(numbers.front().getNumber());
    if (owners.size() > 1)
        owners.resize(1);
    return owners;
}

std::vector<int32_t> CPPSpeedDialManager::assignedSpeedDials() {
    return CPPContactNumberTable::getInstance().usedSpeedDials();
}

std::vector<int32_t> CPPSpeedDialManager::unassignedSpeedDials() {
    return CPPContactNumberTable::getInstance().freeSpeedDials();
}

bool CPPSpeedDialManager::resetSpeedDialForContactNumber(CPPContactNumber& number) {
    number.setSpeedDial(-1);
    return CPPContactNumberTable::getInstance().update(number);
}
