#include "Logic/bridge/CsvText.h"

#include "Logic/common/Utf8.h"
#include "Platform/Files.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
// The version line and the title line.
constexpr size_t headerLines = 2;

// The length of the line end at the position, or 0. Besides LF these are the line ends the
// old reader split at (CR, VT, FF, NEL, LINE and PARAGRAPH SEPARATOR); CR LF is one.
size_t lineEndAt(std::string_view text, size_t at) {
    if (at >= text.size())
        return 0;
    switch (text[at]) {
    case '\r':
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    case '\n':
    case '\v':
    case '\f':
        return 1;
    case '\xC2':
        return at + 1 < text.size() && text[at + 1] == '\x85' ? 2 : 0;
    case '\xE2':
        return at + 2 < text.size() && text[at + 1] == '\x80' &&
                       (text[at + 2] == '\xA8' || text[at + 2] == '\xA9')
                   ? 3
                   : 0;
    default:
        return 0;
    }
}

bool endsField(std::string_view text, size_t at) {
    return at >= text.size() || text[at] == ',' || lineEndAt(text, at) != 0;
}

// The end of an unquoted field: the next comma or line end.
size_t plainFieldEnd(std::string_view text, size_t at) {
    while (!endsField(text, at))
        ++at;
    return at;
}

bool needsQuotes(std::string_view field) {
    for (size_t at = 0; at < field.size(); ++at) {
        if (field[at] == ',' || field[at] == '"' || lineEndAt(field, at) != 0)
            return true;
    }
    return false;
}

// Reads the quoted field that opens at the position. Closed by a quote before a comma, a
// line end or the end of the text, it gives its text with doubled quotes made single and the
// lines it spans; a stray quote or the end of the text first means it was never quoted.
bool readQuoted(std::string_view text, size_t& at, std::string& field, size_t& lines) {
    field.clear();
    lines = 0;
    size_t next = at + 1;
    while (next < text.size()) {
        if (text[next] == '"') {
            if (next + 1 < text.size() && text[next + 1] == '"') {
                field += '"';
                next += 2;
                continue;
            }
            if (!endsField(text, next + 1))
                return false;
            at = next + 1;
            return true;
        }
        if (const size_t lineEnd = lineEndAt(text, next); lineEnd != 0) {
            field.append(text.substr(next, lineEnd));
            next += lineEnd;
            ++lines;
            continue;
        }
        field += text[next++];
    }
    return false;
}

// One record as read from its first line on, and where the text after it starts.
struct Reading {
    CsvRecord record;
    size_t end = 0;
    size_t nextLine = 0;
    // Whether a quoted field in it runs over a line end.
    bool spansLines = false;
};

// Reads the record at the position; with spanning false, a quote that would close only on a
// later line counts as unclosed and the record ends with its line.
Reading readRecord(std::string_view text, size_t at, size_t line, bool spanning) {
    Reading reading;
    reading.record.line = line;
    std::string quoted;
    for (;;) {
        const bool opensQuote = at < text.size() && text[at] == '"';
        size_t next = at;
        size_t spanned = 0;
        if (opensQuote && readQuoted(text, next, quoted, spanned) && (spanned == 0 || spanning)) {
            reading.spansLines = reading.spansLines || spanned != 0;
            reading.record.fields.push_back(quoted);
            line += spanned;
            at = next;
        } else {
            if (opensQuote)
                reading.record.unclosedQuoteLines.push_back(line);
            const size_t end = plainFieldEnd(text, at);
            reading.record.fields.emplace_back(text.substr(at, end - at));
            at = end;
        }
        if (at < text.size() && text[at] == ',') {
            ++at;
            continue;
        }
        const size_t lineEnd = lineEndAt(text, at);
        reading.end = at + lineEnd;
        reading.nextLine = line + (lineEnd != 0 ? 1 : 0);
        return reading;
    }
}

} // namespace

const std::string& CsvRecord::field(size_t number) const {
    static const std::string none;
    return number >= 1 && number <= fields.size() ? fields[number - 1] : none;
}

bool CsvText::readFile(const std::string& path, std::vector<CsvRecord>& records,
                       std::vector<std::string>* problems, CsvRowShape isRow) {
    records.clear();
    std::string content;
    std::string error;
    if (!Platform::Files::readAll(path, content, error)) {
        addProblem(problems, "cannot read the file: " + error);
        return false;
    }
    if (const size_t bad = firstInvalidUtf8Byte(content); bad != std::string::npos) {
        addProblem(problems, "not UTF-8 text at byte " + std::to_string(bad + 1));
        return false;
    }
    std::string_view text = content;
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    records = CsvText::records(text, isRow);
    return true;
}

std::vector<CsvRecord> CsvText::records(std::string_view text, CsvRowShape isRow) {
    std::vector<CsvRecord> records;
    size_t at = 0;
    size_t line = 1;
    while (at < text.size()) {
        Reading reading = readRecord(text, at, line, true);
        // A stray quote in an old file that happens to close into a row is read as a quoted
        // field: nothing tells the two apart, and our own files must read back.
        if (reading.spansLines && isRow != nullptr && !isRow(reading.record))
            reading = readRecord(text, at, line, false);
        at = reading.end;
        line = reading.nextLine;
        records.push_back(std::move(reading.record));
    }
    return records;
}

void CsvText::appendField(std::string& out, std::string_view field) {
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out += '"';
    for (const char character : field) {
        if (character == '"')
            out += '"';
        out += character;
    }
    out += '"';
}

void CsvText::appendFields(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            out += ',';
        appendField(out, field);
        first = false;
    }
}

bool CsvText::checkHeader(const std::vector<CsvRecord>& records, const CsvHeader& header,
                          std::vector<std::string>* problems) {
    if (records.empty()) {
        addProblem(problems, "the file is empty");
        return false;
    }
    for (size_t index = 0; index < std::min(headerLines, records.size()); ++index) {
        const CsvRecord& row = records[index];
        if ((row.field(1) == header.versionName && row.field(2) == "Version") ||
            (row.field(1) == header.firstTitle && row.field(2) == header.secondTitle))
            return true;
    }
    addProblem(problems, "not a " + std::string(header.kind) +
                             " file: its first two lines are neither the version line nor the title line");
    return false;
}

void CsvText::check(const CsvRecord& record, size_t expected, std::vector<std::string>* problems) {
    for (const size_t line : record.unclosedQuoteLines)
        addProblem(problems, "line " + std::to_string(line) + ": an unclosed quote");
    if (record.fields.size() != expected)
        addProblem(problems, "line " + std::to_string(record.line) + ": " +
                                 std::to_string(record.fields.size()) + " fields, expected " +
                                 std::to_string(expected));
}

void CsvText::addProblem(std::vector<std::string>* problems, std::string message) {
    if (problems != nullptr)
        problems->push_back(std::move(message));
}

int64_t CsvText::parseInt(std::string_view text) {
    size_t at = 0;
    // White space as the C library's isspace knows it in the classic locale.
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    // Accumulated as a negative number, whose range reaches INT64_MIN.
    int64_t value = 0;
    bool saturated = false;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const int digit = text[at] - '0';
        if (saturated || __builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, digit, &value))
            saturated = true;
    }
    if (saturated)
        return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    if (negative)
        return value;
    return value == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max() : -value;
}

bool CsvText::parseBool(std::string_view text) {
    // Saturated, not cut: 4294967296 is a large number, so true, where its low 32 bits are 0.
    return parseInt(text) != 0;
}

bool CsvText::writeFile(const std::string& path, const std::string& text) {
    return Platform::Files::writeAtomically(path, text, 0600);
}
