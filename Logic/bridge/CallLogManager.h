#pragma once

#include "Logic/bridge/CallLog.h"

#include <cstdint>
#include <vector>

// The call log for the screens: newest first, each entry with the name and company the phone
// book holds for its number now. Interface thread only; the call code adds entries meanwhile.
class CallLogManager {
public:
    CallLogManager() = delete;

    static std::vector<CallLogPtr> allCallLogs();
    // 0 Received, 1 Placed, 2 Missed.
    static std::vector<CallLogPtr> allCallLogsFilteredBy(int64_t callType);
    // Stores the entry as a new row (again on each call) and moves its ID to that row.
    static bool addCallLog(CallLog& callLog);
    // Deletes the row with the entry's ID; none matching is no failure.
    static bool removeCallLog(const CallLog& callLog);
    static bool removeAll();
};
