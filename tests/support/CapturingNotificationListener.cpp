#include "support/CapturingNotificationListener.h"

CapturedRecord CapturedRecord::from(const CPPNotificationInfo& info) {
    return CapturedRecord{info.getNotificationType(),
                          info.getCmdType(),
                          info.getEndPointType(),
                          info.getBn(),
                          info.getEpn(),
                          info.getPn(),
                          info.getPayload(),
                          info.getOriginCmd()};
}

std::ostream& operator<<(std::ostream& stream, const CapturedRecord& record) {
    return stream << "{" << record.notificationType << "," << record.cmdType << "," << record.endPointType
                  << ",\"" << record.bn << "\",\"" << record.epn << "\",\"" << record.pn << "\",\""
                  << record.payload << "\",origin \"" << record.originCmd << "\"}";
}

void CapturingNotificationListener::notify(const CPPNotificationInfo* info) {
    {
        std::lock_guard lock(m_mutex);
        m_records.push_back(CapturedRecord::from(*info));
    }
    m_added.notify_all();
}

bool CapturingNotificationListener::waitFor(
    const std::function<bool(const std::vector<CapturedRecord>&)>& done,
    std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_added.wait_for(lock, timeout, [&] { return done(m_records); });
}

std::vector<std::string> CapturingNotificationListener::linkEvents() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> events;
    for (const CapturedRecord& record : m_records) {
        if (record.bn == "CONNECTION")
            events.push_back(record.pn);
    }
    return events;
}

std::vector<CapturedRecord> CapturingNotificationListener::records() const {
    std::lock_guard lock(m_mutex);
    return m_records;
}

void CapturingNotificationListener::clear() {
    std::lock_guard lock(m_mutex);
    m_records.clear();
}
