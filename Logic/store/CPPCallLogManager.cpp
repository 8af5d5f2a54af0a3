#include "Logic/store/CPPCallLogManager.h"

#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactManager.h"
#include "Logic/store/CPPContactSorting.h"

#include <unordered_map>
#include <utility>

CPPCallLogManager& CPPCallLogManager::getInstance() {
    static CPPCallLogManager* const instance = new CPPCallLogManager;
    return *instance;
}

std::vector<CPPCallLog> CPPCallLogManager::allCallLogs() {
    std::vector<CPPCallLog> callLogs = CPPCallLogTable::getInstance().getAll();
    fillContactInfo(callLogs);
    return callLogs;
}

std::vector<CPPCallLog> CPPCallLogManager::allCallLogsFilteredBy(int32_t callType) {
    std::vector<CPPCallLog> callLogs = CPPCallLogTable::getInstance().getByCallType(callType);
    fillContactInfo(callLogs);
    return callLogs;
}

bool CPPCallLogManager::addCallLog(CPPCallLog& callLog) {
    return CPPCallLogTable::getInstance().insert(callLog);
}

bool CPPCallLogManager::removeCallLog(const CPPCallLog& callLog) {
    return CPPCallLogTable::getInstance().remove(callLog);
}

bool CPPCallLogManager::removeAll() {
    return CPPCallLogTable::getInstance().removeAll();
}

void CPPCallLogManager::fillContactInfo(std::vector<CPPCallLog>& callLogs) {
    // Each distinct number is looked up once, all of them together: a statement per number
    // cost more than the listing itself. Nothing is kept, so an edited contact shows next time.
    std::unordered_map<std::string, size_t> slotOfNumber;
    std::vector<std::string> numbers;
    std::vector<size_t> slotOfEntry;
    slotOfEntry.reserve(callLogs.size());
    for (const CPPCallLog& callLog : callLogs) {
        const auto [found, added] =
            slotOfNumber.emplace(stripAtSuffix(callLog.getCallNumber()), numbers.size());
        if (added)
            numbers.push_back(found->first);
        slotOfEntry.push_back(found->second);
    }
    const std::unordered_map<std::string, CPPContact> owners =
        CPPContactManager::getInstance().contactsByNumbers(numbers);
    // A number nobody owns shows the name of an empty contact: two blanks.
    const CPPContact nobody;
    std::vector<std::pair<std::string, std::string>> nameAndCompanyOfSlot;
    nameAndCompanyOfSlot.reserve(numbers.size());
    for (const std::string& number : numbers) {
        const auto owner = owners.find(number);
        const CPPContact& shown = owner != owners.end() ? owner->second : nobody;
        nameAndCompanyOfSlot.emplace_back(shown.getFullName(), shown.getCompany());
    }
    for (size_t entry = 0; entry < callLogs.size(); ++entry) {
        const auto& [name, company] = nameAndCompanyOfSlot[slotOfEntry[entry]];
        callLogs[entry].setContactName(name);
        callLogs[entry].setCompany(company);
    }
}

void CPPCallLogManager::cutAtDomain(std::string& number) {
    number = stripAtSuffix(number);
}
