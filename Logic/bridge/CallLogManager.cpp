#include "Logic/bridge/CallLogManager.h"

#include "Logic/bridge/CallLogConversions.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/store/CPPCallLogManager.h"

std::vector<CallLogPtr> CallLogManager::allCallLogs() {
    return callLogsFromCpp(CPPCallLogManager::getInstance().allCallLogs());
}

std::vector<CallLogPtr> CallLogManager::allCallLogsFilteredBy(int64_t callType) {
    return callLogsFromCpp(CPPCallLogManager::getInstance().allCallLogsFilteredBy(lowBits(callType)));
}

bool CallLogManager::addCallLog(CallLog& callLog) {
    CPPCallLog record = callLogToCpp(callLog);
    if (!CPPCallLogManager::getInstance().addCallLog(record))
        return false;
    callLog.setID(record.getId());
    return true;
}

bool CallLogManager::removeCallLog(const CallLog& callLog) {
    return CPPCallLogManager::getInstance().removeCallLog(callLogToCpp(callLog));
}

bool CallLogManager::removeAll() {
    return CPPCallLogManager::getInstance().removeAll();
}
