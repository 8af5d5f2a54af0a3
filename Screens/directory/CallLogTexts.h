#pragma once

#include "App/DateTimeFormats.h"
#include "Logic/bridge/CallLog.h"

#include <QString>

#include <cstdint>

// The texts of a call log row.
namespace CallLogTexts {

// The date and time formats the preferences name now.
DateTimeFormats currentFormats();
// A moment in the formats; an entry without the moment (an unreadable stored text) shows "".
QString formatDate(const CallLog::Moment& moment, const DateTimeFormats& formats);
QString formatTime(const CallLog::Moment& moment, const DateTimeFormats& formats);
// "--|--|--" for no time at all, else hours (uncapped), minutes and seconds.
QString formatDuration(int64_t seconds);
// 0 "Received", 1 "Placed", 2 "Missed", any other "".
QString formatType(int64_t callType);

} // namespace CallLogTexts
