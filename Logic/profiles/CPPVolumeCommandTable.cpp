#include "Logic/profiles/CPPVolumeCommandTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

namespace {

bool anyTextContainsNul(const CPPVolumeCommand& command) {
    return anyContainsNul({command.getPressCommand(), command.getReleaseCommand()});
}

} // namespace

CPPVolumeCommandTable& CPPVolumeCommandTable::getInstance() {
    static CPPVolumeCommandTable* const instance = new CPPVolumeCommandTable;
    return *instance;
}

bool CPPVolumeCommandTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists VolumeCommand(id integer primary key autoincrement, type integer, "
        "pressCommand text, releaseCommand text, connectionId integer, "
        "foreign key(connectionId) references ConnectionSettings(id))",
        nullptr);
}

CPPVolumeCommand CPPVolumeCommandTable::getVolumeUpByConnectionId(int32_t connectionId) {
    return getByTypeAndConnectionId(CPPVolumeCommand::typeUp, connectionId);
}

CPPVolumeCommand CPPVolumeCommandTable::getVolumeDownByConnectionId(int32_t connectionId) {
    return getByTypeAndConnectionId(CPPVolumeCommand::typeDown, connectionId);
}

CPPVolumeCommand CPPVolumeCommandTable::getByTypeAndConnectionId(int32_t type, int32_t connectionId) {
    CPPVolumeCommand command;
    Rows rows;
    // Several rows of one type count as none; the default then has type 0 whatever was asked.
    if (!CPPDatabase::getInstance().execute("select * from VolumeCommand where type=" + toString(type) +
                                                " and connectionId=" + toString(connectionId),
                                            &rows) ||
        rows.size() != 1)
        return command;
    const Row& row = rows.front();
    command.setId(columnInt(row, "id"));
    command.setType(columnInt(row, "type"));
    command.setPressCommand(columnText(row, "pressCommand"));
    command.setReleaseCommand(columnText(row, "releaseCommand"));
    return command;
}

bool CPPVolumeCommandTable::insert(CPPVolumeCommand& command, int32_t connectionId) {
    if (anyTextContainsNul(command))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into VolumeCommand(type, pressCommand, releaseCommand, connectionId) values(" +
                toString(command.getType()) + ", " + sqlQuote(command.getPressCommand()) + ", " +
                sqlQuote(command.getReleaseCommand()) + ", " + toString(connectionId) + ")",
            newId))
        return false;
    command.setId(newId);
    return true;
}

bool CPPVolumeCommandTable::update(const CPPVolumeCommand& command) {
    if (anyTextContainsNul(command))
        return false;
    return CPPDatabase::getInstance().execute(
        "update VolumeCommand set type=" + toString(command.getType()) +
            ", pressCommand=" + sqlQuote(command.getPressCommand()) + ", releaseCommand=" +
            sqlQuote(command.getReleaseCommand()) + " where id=" + toString(command.getId()),
        nullptr);
}

bool CPPVolumeCommandTable::remove(const CPPVolumeCommand& command) {
    return CPPDatabase::getInstance().execute(
        "delete from VolumeCommand where id=" + toString(command.getId()), nullptr);
}
