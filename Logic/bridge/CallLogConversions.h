#pragma once

#include "Logic/bridge/CallLog.h"
#include "Logic/store/CPPCallLog.h"

#include <vector>

// Between the call log records of the store and the interface's models. The stored day and
// time of day are read in the user's time zone: the day as its midnight, the time of day on
// 1 January 2000. A text of another form gives no moment, and no moment gives an empty text.
CallLogPtr callLogFromCpp(const CPPCallLog& record);
std::vector<CallLogPtr> callLogsFromCpp(const std::vector<CPPCallLog>& records);
CPPCallLog callLogToCpp(const CallLog& model);
