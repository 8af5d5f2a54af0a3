#include "Logic/bridge/CallLogConversions.h"

#include "Logic/bridge/ConvertEach.h"
#include "Logic/bridge/ModelIntegers.h"

namespace {

CallLog::Moment momentOf(const std::optional<std::time_t>& seconds) {
    if (!seconds)
        return std::nullopt;
    return std::chrono::system_clock::from_time_t(*seconds);
}

std::time_t secondsOf(const std::chrono::system_clock::time_point& moment) {
    return std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(moment));
}

} // namespace

CallLogPtr callLogFromCpp(const CPPCallLog& record) {
    auto model = std::make_shared<CallLog>();
    model->setID(widenSigned(record.getId()));
    model->setCallDate(momentOf(CPPCallLog::parseCallDate(record.getCallDate())));
    model->setCallDuration(widenSigned(record.getCallDuration()));
    model->setCallNumber(record.getCallNumber());
    model->setCallType(widenUnsigned(record.getCallType()));
    model->setContactName(record.getContactName());
    model->setCompany(record.getCompany());
    model->setStartTime(momentOf(CPPCallLog::parseStartTime(record.getStartTime())));
    return model;
}

std::vector<CallLogPtr> callLogsFromCpp(const std::vector<CPPCallLog>& records) {
    return convertEach(records, callLogFromCpp);
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
