#include "Logic/bridge/CallLog.h"

#include "Platform/Clock.h"

namespace {

CallLog::Moment now() {
    return std::chrono::system_clock::from_time_t(Platform::Clock::current().now());
}

} // namespace

CallLog::CallLog() : CallLog(now(), 0, "", 0, "", "", now()) {}

CallLog::CallLog(Moment callDate, int64_t callDuration, const std::string& callNumber, int64_t callType,
                 const std::string& contactName, const std::string& company, Moment startTime)
    : m_callDate(callDate), m_callDuration(callDuration), m_callNumber(callNumber), m_callType(callType),
      m_contactName(contactName), m_company(company), m_startTime(startTime) {}
