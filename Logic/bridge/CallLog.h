#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A call log entry as the screens show it. The store keeps a calendar day and a time of day as
// texts; here they are moments, of which only that day and that time of day are stored.
// No moment (nullopt) stands for a text that was empty or unreadable. ID 0 until saved.
class CallLog {
public:
    using Moment = std::optional<std::chrono::system_clock::time_point>;

    // Now (from the program's clock) for both moments, everything else empty or 0.
    CallLog();
    CallLog(Moment callDate, int64_t callDuration, const std::string& callNumber, int64_t callType,
            const std::string& contactName, const std::string& company, Moment startTime);

    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const Moment& callDate() const { return m_callDate; }
    void setCallDate(Moment callDate) { m_callDate = callDate; }
    // Seconds.
    int64_t callDuration() const { return m_callDuration; }
    void setCallDuration(int64_t seconds) { m_callDuration = seconds; }
    const std::string& callNumber() const { return m_callNumber; }
    void setCallNumber(const std::string& number) { m_callNumber = number; }
    // 0 Received, 1 Placed, 2 Missed.
    int64_t callType() const { return m_callType; }
    void setCallType(int64_t callType) { m_callType = callType; }
    const std::string& contactName() const { return m_contactName; }
    void setContactName(const std::string& name) { m_contactName = name; }
    const std::string& company() const { return m_company; }
    void setCompany(const std::string& company) { m_company = company; }
    const Moment& startTime() const { return m_startTime; }
    void setStartTime(Moment startTime) { m_startTime = startTime; }

private:
    int64_t m_id = 0;
    Moment m_callDate;
    int64_t m_callDuration = 0;
    std::string m_callNumber;
    int64_t m_callType = 0;
    std::string m_contactName;
    std::string m_company;
    Moment m_startTime;
};

using CallLogPtr = std::shared_ptr<CallLog>;
