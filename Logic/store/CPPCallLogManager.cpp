#include "Logic/store/CPPCallLogManager.h"

#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactManager.h"
#include "Logic/store/CPPContactSorting.h"

#include <unordered_map>

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
    // Lives for this listing only, so an edited contact shows on the next one.
    std::unordered_map<std::string, CPPContact> contactsByNumber;
    for (CPPCallLog& callLog : callLogs) {
        std::string key = callLog.getCallNumber();
        cutAtDomain(key);
        auto found = contactsByNumber.find(key);
        if (found == contactsByNumber.end()) {
            std::vector<CPPContact> owners = CPPContactManager::getInstance().contactByNumber(key);
            found = contactsByNumber.emplace(key, owners.empty() ? CPPContact() : owners.front()).first;
        }
        callLog.setContactName(found->second.getFullName());
        callLog.setCompany(found->second.getCompany());
    }
}

void CPPCallLogManager::cutAtDomain(std::string& number) {
    number = stripAtSuffix(number);
}
