#pragma once

#include "Logic/protocol/CPPNotificationInfo.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// A record's fields as plain values, so tests compare whole records in one expression.
struct CapturedRecord {
    int32_t notificationType = -1;
    int32_t cmdType = 0;
    int32_t endPointType = 0;
    std::string bn;
    std::string epn;
    std::string pn;
    std::string payload;
    std::string originCmd;

    static CapturedRecord from(const CPPNotificationInfo& info);
    bool operator==(const CapturedRecord& other) const = default;
};

std::ostream& operator<<(std::ostream& stream, const CapturedRecord& record);

// Copies every record it is told of; safe to call from several threads.
class CapturingNotificationListener final : public DeviceCommandNotificationListener {
public:
    void notify(const CPPNotificationInfo* info) override;

    std::vector<CapturedRecord> records() const;
    void clear();

    // True once done holds for the records so far; tested at every new record, until timeout.
    bool waitFor(const std::function<bool(const std::vector<CapturedRecord>&)>& done,
                 std::chrono::milliseconds timeout) const;
    // The records whose pn is one of the link's status words, as those words.
    std::vector<std::string> linkEvents() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_added;
    std::vector<CapturedRecord> m_records;
};
