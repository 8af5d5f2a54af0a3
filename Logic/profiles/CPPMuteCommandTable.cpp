#include "Logic/profiles/CPPMuteCommandTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

namespace {

bool anyTextContainsNul(const CPPMuteCommand& command) {
    return anyContainsNul({command.getPressCommand(), command.getQueryCommand(),
                           command.getActiveNotificationFormat(), command.getInactiveNotificationFormat()});
}

} // namespace

CPPMuteCommandTable& CPPMuteCommandTable::getInstance() {
    static CPPMuteCommandTable* const instance = new CPPMuteCommandTable;
    return *instance;
}

bool CPPMuteCommandTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists MuteCommand(id integer primary key autoincrement, pressCommand text, "
        "queryCommand text, activeNotificationFormat text, inactiveNotificationFormat text, "
        "connectionId integer, foreign key(connectionId) references ConnectionSettings(id))",
        nullptr);
}

CPPMuteCommand CPPMuteCommandTable::getByConnectionId(int32_t connectionId) {
    CPPMuteCommand command;
    Rows rows;
    // Of several rows none is chosen: callers read the default as "no mute command".
    if (!CPPDatabase::getInstance().execute(
            "select * from MuteCommand where connectionId=" + toString(connectionId), &rows) ||
        rows.size() != 1)
        return command;
    const Row& row = rows.front();
    command.setId(columnInt(row, "id"));
    command.setPressCommand(columnText(row, "pressCommand"));
    command.setQueryCommand(columnText(row, "queryCommand"));
    command.setActiveNotificationFormat(columnText(row, "activeNotificationFormat"));
    command.setInactiveNotificationFormat(columnText(row, "inactiveNotificationFormat"));
    return command;
}

bool CPPMuteCommandTable::insert(CPPMuteCommand& command, int32_t connectionId) {
    if (anyTextContainsNul(command))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into MuteCommand(pressCommand, queryCommand, activeNotificationFormat, "
            "inactiveNotificationFormat, connectionId) values(" +
                sqlQuote(command.getPressCommand()) + ", " + sqlQuote(command.getQueryCommand()) + ", " +
                sqlQuote(command.getActiveNotificationFormat()) + ", " +
                sqlQuote(command.getInactiveNotificationFormat()) + ", " + toString(connectionId) + ")",
            newId))
        return false;
    command.setId(newId);
    return true;
}

bool CPPMuteCommandTable::update(const CPPMuteCommand& command) {
    if (anyTextContainsNul(command))
        return false;
    return CPPDatabase::getInstance().execute(
        "update MuteCommand set pressCommand=" + sqlQuote(command.getPressCommand()) +
            ", queryCommand=" + sqlQuote(command.getQueryCommand()) +
            ", activeNotificationFormat=" + sqlQuote(command.getActiveNotificationFormat()) +
            ", inactiveNotificationFormat=" + sqlQuote(command.getInactiveNotificationFormat()) +
            " where id=" + toString(command.getId()),
        nullptr);
}

bool CPPMuteCommandTable::remove(const CPPMuteCommand& command) {
    return CPPDatabase::getInstance().execute("delete from MuteCommand where id=" + toString(command.getId()),
                                              nullptr);
}
