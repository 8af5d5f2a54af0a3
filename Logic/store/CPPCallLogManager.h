#pragma once

#include "Logic/store/CPPCallLog.h"

#include <cstdint>
#include <string>
#include <vector>

// The call log as the rest of the program sees it. Every listing shows the names the phone
// book holds now for each number, never the ones stored with the entry. Stateless.
class CPPCallLogManager {
public:
    static CPPCallLogManager& getInstance();

    std::vector<CPPCallLog> allCallLogs();
    std::vector<CPPCallLog> allCallLogsFilteredBy(int32_t callType);
    // Stores the entry as given, without any name fill; on success its id is the new row's.
    bool addCallLog(CPPCallLog& callLog);
    bool removeCallLog(const CPPCallLog& callLog);
    bool removeAll();

    // Overwrites each entry's contactName and company from the contact owning its number
    // (cut at "@"); an unknown number gets "  " and "". One lookup per distinct number.
    void fillContactInfo(std::vector<CPPCallLog>& callLogs);
    // Cuts the text before its first "@", in place.
    static void cutAtDomain(std::string& number);

private:
    CPPCallLogManager() = default;
};
