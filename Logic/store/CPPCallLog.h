#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// One call log entry, a plain value. The table stores company before startTime; the record
// keeps them the other way round.
class CPPCallLog {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getCallDate() const { return m_callDate; }
    void setCallDate(const std::string& callDate) { m_callDate = callDate; }
    int32_t getCallDuration() const { return m_callDuration; }
    void setCallDuration(int32_t callDuration) { m_callDuration = callDuration; }
    std::string getCallNumber() const { return m_callNumber; }
    void setCallNumber(const std::string& callNumber) { m_callNumber = callNumber; }
    // A CallType; any int32 is carried unchanged.
    int32_t getCallType() const { return m_callType; }
    void setCallType(int32_t callType) { m_callType = callType; }
    std::string getContactName() const { return m_contactName; }
    void setContactName(const std::string& contactName) { m_contactName = contactName; }
    std::string getStartTime() const { return m_startTime; }
    void setStartTime(const std::string& startTime) { m_startTime = startTime; }
    std::string getCompany() const { return m_company; }
    void setCompany(const std::string& company) { m_company = company; }

    // Fills the duration (end - start + extra seconds, saturated to int32) and the local date
    // and time of day of the start. A start the C library cannot convert leaves both texts empty.
    void setCallTimes(time_t start, time_t end, int32_t extraSeconds);

    // The stored forms of a moment in the user's time zone: its day ("%Y/%m/%d") and its time
    // of day ("%H:%M:%S"); empty when the C library cannot convert it.
    static std::string formatCallDate(time_t moment);
    static std::string formatStartTime(time_t moment);
    // The moments the stored forms stand for: the day's local midnight, and the time of day on
    // 1 January 2000. None for a text of another form or an impossible date or time.
    static std::optional<time_t> parseCallDate(const std::string& text);
    static std::optional<time_t> parseStartTime(const std::string& text);
    // The seconds after midnight that a time-of-day text names, read as parseStartTime reads it.
    static std::optional<int32_t> parseSecondsOfDay(const std::string& text);

private:
    int32_t m_id = 0;
    std::string m_callDate;
    int32_t m_callDuration = 0;
    std::string m_callNumber;
    int32_t m_callType = CallType::RECEIVED;
    std::string m_contactName;
    std::string m_startTime;
    std::string m_company;
};
