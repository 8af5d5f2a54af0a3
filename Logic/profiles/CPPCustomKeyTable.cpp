#include "Logic/profiles/CPPCustomKeyTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

namespace {

bool anyTextContainsNul(const CPPCustomKey& key) {
    return anyContainsNul({key.getLabel(), key.getPressCommand(), key.getReleaseCommand()});
}

} // namespace

CPPCustomKeyTable& CPPCustomKeyTable::getInstance() {
    static CPPCustomKeyTable* const instance = new CPPCustomKeyTable;
    return *instance;
}

bool CPPCustomKeyTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists CustomKey(id integer primary key autoincrement, label text, "
        "pressCommand text, releaseCommand text, enabled integer, connectionId integer, "
        "foreign key(connectionId) references ConnectionSettings(id))",
        nullptr);
}

std::vector<CPPCustomKey> CPPCustomKeyTable::getAll() {
    return rowsToRecords("select * from CustomKey");
}

std::vector<CPPCustomKey> CPPCustomKeyTable::getByLabel(const std::string& label) {
    if (containsNul(label))
        return {};
    return rowsToRecords("select * from CustomKey where label=" + sqlQuote(label));
}

std::vector<CPPCustomKey> CPPCustomKeyTable::getByConnectionId(int32_t connectionId) {
    return rowsToRecords("select * from CustomKey where connectionId=" + toString(connectionId));
}

bool CPPCustomKeyTable::insert(CPPCustomKey& key, int32_t connectionId) {
    if (anyTextContainsNul(key))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into CustomKey(label, pressCommand, releaseCommand, enabled, connectionId) values(" +
                sqlQuote(key.getLabel()) + ", " + sqlQuote(key.getPressCommand()) + ", " +
                sqlQuote(key.getReleaseCommand()) + ", " + toString(key.isEnabled()) + ", " +
                toString(connectionId) + ")",
            newId))
        return false;
    key.setId(newId);
    return true;
}

bool CPPCustomKeyTable::update(const CPPCustomKey& key) {
    if (anyTextContainsNul(key))
        return false;
    return CPPDatabase::getInstance().execute("update CustomKey set label=" + sqlQuote(key.getLabel()) +
                                                  ", pressCommand=" + sqlQuote(key.getPressCommand()) +
                                                  ", releaseCommand=" + sqlQuote(key.getReleaseCommand()) +
                                                  ", enabled=" + toString(key.isEnabled()) +
                                                  " where id=" + toString(key.getId()),
                                              nullptr);
}

bool CPPCustomKeyTable::remove(const CPPCustomKey& key) {
    return CPPDatabase::getInstance().execute("delete from CustomKey where id=" + toString(key.getId()),
                                              nullptr);
}

std::vector<CPPCustomKey> CPPCustomKeyTable::rowsToRecords(const std::string& sql) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(sql, &rows))
        return {};
    std::vector<CPPCustomKey> keys;
    keys.reserve(rows.size());
    for (const Row& row : rows) {
        CPPCustomKey key;
        key.setId(columnInt(row, "id"));
        key.setLabel(columnText(row, "label"));
        key.setPressCommand(columnText(row, "pressCommand"));
        key.setReleaseCommand(columnText(row, "releaseCommand"));
        // Unlike the profile flags, only a stored 1 enables a key.
        key.setEnabled(columnInt(row, "enabled") == 1);
        keys.push_back(key);
    }
    return keys;
}
