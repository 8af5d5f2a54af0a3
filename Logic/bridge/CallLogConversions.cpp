#include "Logic/bridge/CallLogConversions.h"

#include "Logic/bridge/ConvertEach.h"
#include "Logic/bridge/ModelIntegers.h"

#include <unordered_map>

namespace {

CallLog::Moment momentOf(const std::optional<std::time_t>& seconds) {
    if (!seconds)
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(*seconds);
}

std::time_t secondsOf(const std::chrono::system_clock::time_point& moment) {
    return std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(moment));
}

// The moments of one listing. Days repeat, so each day's text is read once; a time of day is
// the reference day's midnight plus its seconds while that day has no clock change. Both spare
// the time zone look-up that each local conversion costs.
class ListingMoments {
public:
    ListingMoments() {
        m_midnight = CPPCallLog::parseStartTime("00:00:00");
        const std::optional<time_t> lastSecond = CPPCallLog::parseStartTime("23:59:59");
        m_evenDay = m_midnight && lastSecond && *lastSecond - *m_midnight == 86399;
    }

    CallLog::Moment callDate(const std::string& text) {
        auto found = m_dates.find(text);
        if (found == m_dates.end())
            found = m_dates.emplace(text, momentOf(CPPCallLog::parseCallDate(text))).first;
        return found->second;
    }

    CallLog::Moment startTime(const std::string& text) const {
        if (!m_evenDay)
            return momentOf(CPPCallLog::parseStartTime(text));
        const std::optional<int32_t> seconds = CPPCallLog::parseSecondsOfDay(text);
        if (!seconds)
            return std::nullopt;
        return momentOf(*m_midnight + *seconds);
    }

private:
    std::unordered_map<std::string, CallLog::Moment> m_dates;
    std::optional<time_t> m_midnight;
    bool m_evenDay = false;
};

CallLogPtr callLogWithMoments(const CPPCallLog& record, CallLog::Moment callDate, CallLog::Moment startTime) {
    auto model = std::make_shared<CallLog>(callDate, widenSigned(record.getCallDuration()),
                                           record.getCallNumber(), widenUnsigned(record.getCallType()),
                                           record.getContactName(), record.getCompany(), startTime);
    model->setID(widenSigned(record.getId()));
    return model;
}

} // namespace

CallLogPtr callLogFromCpp(const CPPCallLog& record) {
    return callLogWithMoments(record, momentOf(CPPCallLog::parseCallDate(record.getCallDate())),
                              momentOf(CPPCallLog::parseStartTime(record.getStartTime())));
}

std::vector<CallLogPtr> callLogsFromCpp(const std::vector<CPPCallLog>& records) {
    ListingMoments moments;
    return convertEach(records, [&moments](const CPPCallLog& record) {
        return callLogWithMoments(record, moments.callDate(record.getCallDate()),
                                  moments.startTime(record.getStartTime()));
    });
}

CPPCallLog callLogToCpp(const CallLog& model) {
    CPPCallLog record;
    record.setId(lowBits(model.ID()));
    record.setCallDate(model.callDate() ? CPPCallLog::formatCallDate(secondsOf(*model.callDate())) : "");
    record.setCallDuration(lowBits(model.callDuration()));
    record.setCallNumber(model.callNumber());
    record.setCallType(lowBits(model.callType()));
    record.setContactName(model.contactName());
    record.setCompany(model.company());
    record.setStartTime(model.startTime() ? CPPCallLog::formatStartTime(secondsOf(*model.startTime())) : "");
    return record;
}
