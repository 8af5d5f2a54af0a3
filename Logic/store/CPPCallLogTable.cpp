#include "Logic/store/CPPCallLogTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

namespace {

bool holdsNul(const CPPCallLog& callLog) {
    return anyContainsNul({callLog.getCallDate(), callLog.getCallNumber(), callLog.getContactName(),
                           callLog.getCompany(), callLog.getStartTime()});
}

} // namespace

CPPCallLogTable& CPPCallLogTable::getInstance() {
    static CPPCallLogTable* const instance = new CPPCallLogTable;
    return *instance;
}

bool CPPCallLogTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists CallLog(id integer primary key autoincrement, callDate text, "
        "callDuration integer, callNumber text, callType integer, contactName text, company text, "
        "startTime text)",
        nullptr);
}

std::vector<CPPCallLog> CPPCallLogTable::getAll() {
    return rowsToRecords("select * from CallLog order by callDate desc, startTime desc");
}

std::vector<CPPCallLog> CPPCallLogTable::getByCallType(int32_t callType) {
    return rowsToRecords("select * from CallLog where callType=" + toString(callType) +
                         " order by callDate desc, startTime desc");
}

std::vector<CPPCallLog> CPPCallLogTable::getAllUnordered() {
    return rowsToRecords("select * from CallLog");
}

bool CPPCallLogTable::insert(CPPCallLog& callLog) {
    if (holdsNul(callLog))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into CallLog(callDate, callDuration, callNumber, callType, contactName, company, "
            "startTime) values(" +
                sqlQuote(callLog.getCallDate()) + ", " + toString(callLog.getCallDuration()) + ", " +
                sqlQuote(callLog.getCallNumber()) + ", " + toString(callLog.getCallType()) + ", " +
                sqlQuote(callLog.getContactName()) + ", " + sqlQuote(callLog.getCompany()) + ", " +
                sqlQuote(callLog.getStartTime()) + ")",
            newId))
        return false;
    callLog.setId(newId);
    return true;
}

bool CPPCallLogTable::update(const CPPCallLog& callLog) {
    if (holdsNul(callLog))
        return false;
    return CPPDatabase::getInstance().execute(
        "update CallLog set callDate=" + sqlQuote(callLog.getCallDate()) + ", callDuration=" +
            toString(callLog.getCallDuration()) + ", callNumber=" + sqlQuote(callLog.getCallNumber()) +
            ", callType=" + toString(callLog.getCallType()) + ", contactName=" +
            sqlQuote(callLog.getContactName()) + ", company=" + sqlQuote(callLog.getCompany()) +
            ", startTime=" + sqlQuote(callLog.getStartTime()) + "  where id=" + toString(callLog.getId()),
        nullptr);
}

bool CPPCallLogTable::remove(const CPPCallLog& callLog) {
    return CPPDatabase::getInstance().execute("delete from CallLog where id=" + toString(callLog.getId()),
                                              nullptr);
}

bool CPPCallLogTable::removeAll() {
    return CPPDatabase::getInstance().execute("delete from CallLog", nullptr);
}

std::vector<CPPCallLog> CPPCallLogTable::rowsToRecords(const std::string& sql) {
    // A listing can hold every call ever logged: read flat, each column found once.
    RowTable table;
    if (!CPPDatabase::getInstance().executeTable(sql, table))
        return {};
    const RowTableColumn id(table, "id");
    const RowTableColumn callDate(table, "callDate");
    const RowTableColumn callDuration(table, "callDuration");
    const RowTableColumn callNumber(table, "callNumber");
    const RowTableColumn callType(table, "callType");
    const RowTableColumn contactName(table, "contactName");
    const RowTableColumn startTime(table, "startTime");
    const RowTableColumn company(table, "company");
    std::vector<CPPCallLog> callLogs(table.rowCount());
    for (size_t row = 0; row < callLogs.size(); ++row) {
        CPPCallLog& callLog = callLogs[row];
        callLog.setId(id.integer(row));
        callLog.setCallDate(callDate.text(row));
        callLog.setCallDuration(callDuration.integer(row));
        callLog.setCallNumber(callNumber.text(row));
        callLog.setCallType(callType.integer(row));
        callLog.setContactName(contactName.text(row));
        callLog.setStartTime(startTime.text(row));
        callLog.setCompany(company.text(row));
    }
    return callLogs;
}
