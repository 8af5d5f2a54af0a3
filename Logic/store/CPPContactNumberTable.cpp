#include "Logic/store/CPPContactNumberTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

#include <algorithm>

namespace {

CPPContactNumber rowToRecord(const Row& row) {
    CPPContactNumber number;
    number.setId(columnInt(row, "id"));
    number.setNumber(columnText(row, "number"));
    number.setSpeedDial(columnInt(row, "speedDial"));
    number.setType(static_cast<CPPContactNumber::NumberType>(columnInt(row, "type")));
    number.setIsDefault(columnInt(row, "isDefault") != 0);
    return number;
}

} // namespace

CPPContactNumberTable& CPPContactNumberTable::getInstance() {
    static CPPContactNumberTable* const instance = new CPPContactNumberTable;
    return *instance;
}

bool CPPContactNumberTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists ContactNumber(id integer primary key autoincrement, number text, "
        "speedDial integer, type integer, isDefault integer, contactId integer, foreign key(contactId) "
        "references Contact(id))",
        nullptr);
}

bool CPPContactNumberTable::createIndexes() {
    CPPDatabase& database = CPPDatabase::getInstance();
    const bool byOwner = database.execute(
        "create index if not exists ContactNumber_contactId on ContactNumber(contactId)", nullptr);
    const bool byText =
        database.execute("create index if not exists ContactNumber_number on ContactNumber(number)", nullptr);
    return byOwner && byText;
}

std::vector<CPPContactNumber> CPPContactNumberTable::getAll() {
    return rowsToRecords("select * from ContactNumber");
}

std::vector<CPPContactNumber> CPPContactNumberTable::getByNumber(const std::string& number) {
    if (containsNul(number))
        return {};
    return rowsToRecords("select * from ContactNumber where number=" + sqlQuote(number));
}

std::vector<CPPContactNumber> CPPContactNumberTable::getBySpeedDial(int32_t slot) {
    return rowsToRecords("select * from ContactNumber where speedDial=" + toString(slot));
}

std::vector<CPPContactNumber> CPPContactNumberTable::getByContactId(int32_t contactId) {
    return rowsToRecords("select * from ContactNumber where contactId=" + toString(contactId) +
                         " order by number asc");
}

std::unordered_map<int32_t, std::vector<CPPContactNumber>> CPPContactNumberTable::getAllByContactId() {
    return numbersByOwner("select * from ContactNumber order by contactId asc, number asc");
}

std::unordered_map<int32_t, std::vector<CPPContactNumber>>
CPPContactNumberTable::getAllByContactId(const std::vector<int32_t>& contactIds) {
    if (contactIds.empty())
        return {};
    std::string list;
    for (const int32_t contactId : contactIds) {
        list += (list.empty() ? "" : ",") + toString(contactId);
    }
    return numbersByOwner("select * from ContactNumber where contactId in (" + list +
                          ") order by contactId asc, number asc");
}

std::unordered_map<int32_t, std::vector<CPPContactNumber>>
CPPContactNumberTable::numbersByOwner(const std::string& statement) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(statement, &rows))
        return {};
    std::unordered_map<int32_t, std::vector<CPPContactNumber>> numbersByContact;
    // Rows come grouped by owner, so the map is searched once per contact, not per row.
    std::vector<CPPContactNumber>* numbers = nullptr;
    int32_t owner = 0;
    for (const Row& row : rows) {
        const int32_t contactId = columnInt(row, "contactId");
        if (numbers == nullptr || contactId != owner) {
            owner = contactId;
            numbers = &numbersByContact[owner];
        }
        numbers->push_back(rowToRecord(row));
    }
    return numbersByContact;
}

std::vector<int32_t> CPPContactNumberTable::usedSpeedDials() {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(
            "select speedDial from ContactNumber where speedDial <> -1 order by speedDial asc", &rows))
        return {};
    std::vector<int32_t> slots;
    slots.reserve(rows.size());
    for (const Row& row : rows)
        slots.push_back(columnInt(row, "speedDial"));
    return slots;
}

std::vector<int32_t> CPPContactNumberTable::freeSpeedDials() {
    const std::vector<int32_t> used = usedSpeedDials();
    std::vector<int32_t> free;
    for (int32_t slot = 1; slot <= 9; ++slot) {
        if (std::find(used.begin(), used.end(), slot) == used.end())
            free.push_back(slot);
    }
    return free;
}

bool CPPContactNumberTable::insert(CPPContactNumber& number, int32_t contactId) {
    if (containsNul(number.getNumber()))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into ContactNumber(number, speedDial, type, isDefault, contactId) values(" +
                sqlQuote(number.getNumber()) + ", " + toString(number.getSpeedDial()) + ", " +
                toString(number.getType()) + ", " + toString(number.isDefault()) + ", " +
                toString(contactId) + ")",
            newId))
        return false;
    number.setId(newId);
    return true;
}

bool CPPContactNumberTable::update(const CPPContactNumber& number) {
    if (containsNul(number.getNumber()))
        return false;
    return CPPDatabase::getInstance().execute(
        "update ContactNumber set number=" + sqlQuote(number.getNumber()) +
            ", speedDial=" + toString(number.getSpeedDial()) + ", type=" + toString(number.getType()) +
            ", isDefault=" + toString(number.isDefault()) + " where id=" + toString(number.getId()),
        nullptr);
}

bool CPPContactNumberTable::remove(const CPPContactNumber& number) {
    return CPPDatabase::getInstance().execute(
        "delete from ContactNumber where id=" + toString(number.getId()), nullptr);
}

bool CPPContactNumberTable::removeAllOfContact(int32_t contactId) {
    return CPPDatabase::getInstance().execute(
        "delete from ContactNumber where contactId=" + toString(contactId), nullptr);
}

std::vector<CPPContactNumber> CPPContactNumberTable::rowsToRecords(const std::string& sql) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(sql, &rows))
        return {};
    std::vector<CPPContactNumber> numbers;
    numbers.reserve(rows.size());
    for (const Row& row : rows)
        numbers.push_back(rowToRecord(row));
    return numbers;
}
