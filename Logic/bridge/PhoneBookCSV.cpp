#include "Logic/bridge/PhoneBookCSV.h"

#include "Logic/bridge/CsvText.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/common/Conversions.h"

#include <array>

namespace {

constexpr size_t fieldCount = 9;
// Records before the first contact: the version line and the title line.
constexpr size_t headerRows = 2;
// The fields that name a contact; all empty marks a further number of the one before.
constexpr size_t contactFields = 5;

const char* const versionLine = "Tessmark Dialer Phone Book,Version,1.0\n";
const char* const titleLine =
    "First,Middle Initial,Last,Company,Favorite,Phone Number,Type,Spd Dial Index,Default\n";

const CsvHeader header{"phone book", "Tessmark Dialer Phone Book", "First", "Middle Initial"};

constexpr std::array<const char*, 7> typeNames = {"Home",   "Work",  "Mobile", "Main",
                                                  "Office", "Pager", "Other"};
constexpr int64_t otherType = 6;

void appendNumberFields(std::string& out, const ContactNumber& number) {
    CsvText::appendFields(out, {number.number(), PhoneBookCSV::typeToString(number.type()),
                                PhoneBookCSV::intToString(number.speedDial()),
                                number.isDefaultNumber() ? "1" : "0"});
    out += '\n';
}

void appendContact(std::string& out, const Contact& contact) {
    CsvText::appendFields(out, {contact.firstName(), contact.middleInitial(), contact.lastName(),
                                contact.company(), contact.isFavorite() ? "1" : "0"});
    out += ',';
    if (contact.numbers().empty()) {
        out += ",,,,\n";
        return;
    }
    static const ContactNumber noNumber;
    bool first = true;
    for (const ContactNumberPtr& number : contact.numbers()) {
        if (!first)
            out += ",,,,,";
        appendNumberFields(out, number != nullptr ? *number : noNumber);
        first = false;
    }
}

bool isContinuation(const CsvRecord& row) {
    for (size_t field = 1; field <= contactFields; ++field) {
        if (!row.field(field).empty())
            return false;
    }
    return true;
}

ContactNumberPtr numberOf(const CsvRecord& row) {
    auto number = std::make_shared<ContactNumber>();
    number->setNumber(row.field(6));
    number->setType(PhoneBookCSV::parseType(row.field(7)));
    number->setSpeedDial(PhoneBookCSV::parseInt(row.field(8)));
    number->setDefaultNumber(PhoneBookCSV::parseBool(row.field(9)));
    return number;
}

// A contact without numbers is written with one empty field more; that row is well formed.
size_t expectedFields(const CsvRecord& contactRow) {
    for (size_t field = contactFields + 1; field <= fieldCount + 1; ++field) {
        if (!contactRow.field(field).empty())
            return fieldCount;
    }
    return contactRow.fields.size() == fieldCount + 1 ? fieldCount + 1 : fieldCount;
}

// Nine fields, or ten with none past the fifth: rows the export writes.
bool isRow(const CsvRecord& record) {
    return record.fields.size() == expectedFields(record);
}

} // namespace

bool PhoneBookCSV::exportToFile(const std::string& path, const std::vector<ContactPtr>& contacts) {
    std::string text = versionLine;
    text += titleLine;
    static const Contact noContact;
    for (const ContactPtr& contact : contacts)
        appendContact(text, contact != nullptr ? *contact : noContact);
    // The file has never ended in a line end.
    text.pop_back();
    return CsvText::writeFile(path, text);
}

std::vector<ContactPtr> PhoneBookCSV::parseFile(const std::string& path, std::vector<std::string>* problems) {
    std::vector<CsvRecord> records;
    if (!CsvText::readFile(path, records, problems, isRow))
        return {};
    // Any other text would give one "contact" for each of its lines.
    if (!CsvText::checkHeader(records, header, problems))
        return {};
    std::vector<ContactPtr> contacts;
    for (size_t index = headerRows; index < records.size(); ++index) {
        const CsvRecord& row = records[index];
        if (row.isBlank())
            continue;
        // The first row is a contact whatever it holds; later ones only when they name one.
        if (!contacts.empty() && isContinuation(row)) {
            CsvText::check(row, fieldCount, problems);
            contacts.back()->numbers().push_back(numberOf(row));
            continue;
        }
        CsvText::check(row, expectedFields(row), problems);
        auto contact = std::make_shared<Contact>(row.field(1), row.field(2), row.field(3), row.field(4));
        contact->setFavorite(parseBool(row.field(5)));
        contact->setNumbers({numberOf(row)});
        contacts.push_back(std::move(contact));
    }
    if (contacts.empty())
        CsvText::addProblem(problems, "no contacts in the file");
    return contacts;
}

int64_t PhoneBookCSV::parseInt(const std::string& text) {
    return CsvText::parseInt(text);
}

std::string PhoneBookCSV::intToString(int64_t value) {
    return toString(lowBits(value));
}

bool PhoneBookCSV::parseBool(const std::string& text) {
    return CsvText::parseBool(text);
}

int64_t PhoneBookCSV::parseType(const std::string& text) {
    for (int64_t type = 0; type < otherType; ++type) {
        if (text == typeNames[static_cast<size_t>(type)])
            return type;
    }
    return otherType;
}

std::string PhoneBookCSV::typeToString(int64_t type) {
    return type >= 0 && type < otherType ? typeNames[static_cast<size_t>(type)] : typeNames[otherType];
}
