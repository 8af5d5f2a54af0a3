#include "Logic/store/CPPContactTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

#include <algorithm>
#include <array>

namespace {

// Numbers per statement of a batched owner lookup: the statement text stays far below the
// length SQLite accepts, whatever the numbers hold.
constexpr size_t numbersPerLookup = 500;

bool holdsNul(const CPPContact& contact) {
    return anyContainsNul(
        {contact.getFirstName(), contact.getMiddleInitial(), contact.getLastName(), contact.getCompany()});
}

// The sort column is pasted into the statement, so only real column names get there.
bool isColumn(const std::string& column) {
    static const std::array<std::string, 8> columns = {"id",         "firstName",  "middleInitial",
                                                       "lastName",   "company",    "callFrequency",
                                                       "isFavorite", "isFromPhone"};
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

// The contact columns of a flat table, found once for all its rows.
struct ContactColumns {
    explicit ContactColumns(const RowTable& table)
        : id(table, "id"), firstName(table, "firstName"), middleInitial(table, "middleInitial"),
          lastName(table, "lastName"), company(table, "company"), callFrequency(table, "callFrequency"),
          isFavorite(table, "isFavorite"), isFromPhone(table, "isFromPhone") {}

    CPPContact recordOf(size_t row) const {
        CPPContact contact;
        contact.setId(id.integer(row));
        contact.setFirstName(firstName.text(row));
        contact.setMiddleInitial(middleInitial.text(row));
        contact.setLastName(lastName.text(row));
        contact.setCompany(company.text(row));
        contact.setCallFrequency(callFrequency.integer(row));
        contact.setIsFavorite(isFavorite.integer(row) != 0);
        contact.setIsFromPhone(isFromPhone.integer(row) != 0);
        return contact;
    }

    RowTableColumn id, firstName, middleInitial, lastName, company, callFrequency, isFavorite, isFromPhone;
};

} // namespace

CPPContactTable& CPPContactTable::getInstance() {
    static CPPContactTable* const instance = new CPPContactTable;
    return *instance;
}

bool CPPContactTable::createTable() {
    return CPPDatabase::getInstance().execute(
        "create table if not exists Contact(id integer primary key autoincrement, firstName text, "
        "middleInitial text, lastName text, company text, callFrequency integer, isFavorite integer, "
        "isFromPhone integer)",
        nullptr);
}

bool CPPContactTable::createIndexes() {
    return CPPDatabase::getInstance().execute(
        "create index if not exists Contact_name on Contact(firstName, middleInitial, lastName)", nullptr);
}

std::vector<CPPContact> CPPContactTable::getAll() {
    return rowsToRecords("select * from Contact");
}

std::vector<CPPContact> CPPContactTable::getOrdered(const std::string& selection, const std::string& column,
                                                    bool ascending) {
    if (!isColumn(column))
        return {};
    return rowsToRecords(selection + " order by " + column + " collate nocase" +
                         (ascending ? " asc" : " desc"));
}

std::vector<CPPContact> CPPContactTable::getAllOrderedBy(const std::string& column, bool ascending) {
    return getOrdered("select * from Contact", column, ascending);
}

std::vector<CPPContact> CPPContactTable::getFavorites() {
    return rowsToRecords("select * from Contact where isFavorite = 1");
}

std::vector<CPPContact> CPPContactTable::getFavoritesOrderedBy(const std::string& column, bool ascending) {
    return getOrdered("select * from Contact where isFavorite = 1", column, ascending);
}

std::vector<CPPContact> CPPContactTable::getNonFavoritesOrderedBy(const std::string& column, bool ascending) {
    return getOrdered("select * from Contact where isFavorite = 0", column, ascending);
}

std::vector<CPPContact> CPPContactTable::getByNumber(const std::string& number) {
    if (containsNul(number))
        return {};
    return rowsToRecords(
        "select * from Contact where id=(select contactId from ContactNumber where number = " +
        sqlQuote(number) + ")");
}

std::unordered_map<std::string, CPPContact>
CPPContactTable::getByNumbers(const std::vector<std::string>& numbers) {
    std::unordered_map<std::string, CPPContact> owners;
    std::vector<std::string> asked;
    for (const std::string& number : numbers) {
        if (!containsNul(number))
            asked.push_back(number);
    }
    for (size_t first = 0; first < asked.size(); first += numbersPerLookup) {
        // The very sub-select of getByNumber, once per listed number, so each finds the same
        // owner; the cross join makes the list drive the loop and each owner a rowid look-up.
        std::string sql = "select asked.column1 as askedNumber, Contact.* from (values ";
        const size_t end = std::min(asked.size(), first + numbersPerLookup);
        for (size_t index = first; index < end; ++index)
            sql += (index == first ? "(" : ", (") + sqlQuote(asked[index]) + ")";
        sql += ") as asked cross join Contact where Contact.id=(select contactId from ContactNumber where "
               "number = asked.column1)";
        RowTable table;
        if (!CPPDatabase::getInstance().executeTable(sql, table))
            continue;
        const RowTableColumn askedNumber(table, "askedNumber");
        const ContactColumns columns(table);
        for (size_t row = 0; row < table.rowCount(); ++row)
            owners.emplace(askedNumber.text(row), columns.recordOf(row));
    }
    return owners;
}

std::vector<CPPContact> CPPContactTable::getByName(const std::string& firstName,
                                                   const std::string& middleInitial,
                                                   const std::string& lastName) {
    if (anyContainsNul({firstName, middleInitial, lastName}))
        return {};
    return rowsToRecords("select * from Contact where firstName=" + sqlQuote(firstName) +
                         " and middleInitial=" + sqlQuote(middleInitial) +
                         " and lastName=" + sqlQuote(lastName));
}

std::optional<int32_t> CPPContactTable::getFirstNamesakeId(const CPPContact& contact) {
    if (holdsNul(contact))
        return std::nullopt;
    Rows rows;
    if (!CPPDatabase::getInstance().execute(
            "select min(id) as id from Contact where firstName=" + sqlQuote(contact.getFirstName()) +
                " and middleInitial=" + sqlQuote(contact.getMiddleInitial()) +
                " and lastName=" + sqlQuote(contact.getLastName()) + " and id<>" + toString(contact.getId()),
            &rows) ||
        rows.empty() || columnText(rows.front(), "id").empty())
        return std::nullopt;
    return columnInt(rows.front(), "id");
}

bool CPPContactTable::insert(CPPContact& contact) {
    if (holdsNul(contact))
        return false;
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(
            "insert into Contact(firstName, middleInitial, lastName, company, callFrequency, isFavorite, "
            "isFromPhone) values(" +
                sqlQuote(contact.getFirstName()) + ", " + sqlQuote(contact.getMiddleInitial()) + ", " +
                sqlQuote(contact.getLastName()) + ", " + sqlQuote(contact.getCompany()) + ", " +
                toString(contact.getCallFrequency()) + ", " + toString(contact.isFavorite()) + ", " +
                toString(contact.isFromPhone()) + ")",
            newId))
        return false;
    contact.setId(newId);
    return true;
}

bool CPPContactTable::update(const CPPContact& contact) {
    if (holdsNul(contact))
        return false;
    return CPPDatabase::getInstance().execute(
        "update Contact set firstName=" + sqlQuote(contact.getFirstName()) +
            ", middleInitial=" + sqlQuote(contact.getMiddleInitial()) +
            ", lastName=" + sqlQuote(contact.getLastName()) + ", company=" + sqlQuote(contact.getCompany()) +
            ", callFrequency=" + toString(contact.getCallFrequency()) +
            ", isFavorite=" + toString(contact.isFavorite()) + " where id=" + toString(contact.getId()),
        nullptr);
}

bool CPPContactTable::incrementCallFrequency(int32_t id) {
    return CPPDatabase::getInstance().execute(
        "update Contact set callFrequency=callFrequency+1 where id=" + toString(id), nullptr);
}

bool CPPContactTable::remove(const CPPContact& contact) {
    return CPPDatabase::getInstance().execute("delete from Contact where id = " + toString(contact.getId()),
                                              nullptr);
}

bool CPPContactTable::removeAllFromPhone() {
    return CPPDatabase::getInstance().execute("delete from Contact where isFromPhone = 1", nullptr);
}

std::vector<CPPContact> CPPContactTable::rowsToRecords(const std::string& sql) {
    RowTable table;
    if (!CPPDatabase::getInstance().executeTable(sql, table))
        return {};
    const ContactColumns columns(table);
    std::vector<CPPContact> contacts;
    contacts.reserve(table.rowCount());
    for (size_t row = 0; row < table.rowCount(); ++row)
        contacts.push_back(columns.recordOf(row));
    return contacts;
}
