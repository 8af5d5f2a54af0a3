#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One record of a CSV file: its fields, unquoted, the line (from 1) where it starts, and the
// lines of the fields in it that open a quote they never close (read as they stand).
struct CsvRecord {
    std::vector<std::string> fields;
    size_t line = 0;
    std::vector<size_t> unclosedQuoteLines;

    // A line with nothing on it.
    bool isBlank() const { return fields.size() == 1 && fields.front().empty(); }
    // The field numbered from 1 as the file layouts number them; "" past the end.
    const std::string& field(size_t number) const;
};

// How a file of ours begins: what the file is called in a problem ("phone book"), the first
// field of its version line ("<name>,Version,<number>") and the first two titles of its title line.
struct CsvHeader {
    std::string_view kind;
    std::string_view versionName;
    std::string_view firstTitle;
    std::string_view secondTitle;
};

// Whether a record is a row of a file's layout; null takes every record as one. A quoted field
// runs over several lines only where that makes such a row, so a stray quote in an old unquoted
// file cannot swallow rows that do not make one.
using CsvRowShape = bool (*)(const CsvRecord& record);

// What both CSV files share: RFC 4180 quoting inside the layouts our files have always had.
// A field holding a comma, a quote or a line break is written in quotes with inner quotes
// doubled; every other field is written as it is, so older files stay byte-identical.
// Reading accepts what old versions wrote: a quote inside an unquoted field is a plain
// character, and every line end the old reader knew ends a line.
class CsvText {
public:
    CsvText() = delete;

    // Reads the file as records. A file that cannot be read or is not UTF-8 gives false, and
    // one message in problems (when given). A leading byte order mark is skipped.
    static bool readFile(const std::string& path, std::vector<CsvRecord>& records,
                         std::vector<std::string>* problems, CsvRowShape isRow = nullptr);
    // Splits text into records. A quoted field closes at a quote before a comma, a line end or
    // the end of the text, and may hold line ends when the record it ends is a row of the
    // shape; otherwise its quote is a stray one and its record ends with its first line.
    static std::vector<CsvRecord> records(std::string_view text, CsvRowShape isRow = nullptr);

    // Appends the field, quoted when it must be.
    static void appendField(std::string& out, std::string_view field);
    // Appends each field as appendField does, with commas between; the line end is the caller's.
    static void appendFields(std::string& out, std::initializer_list<std::string_view> fields);

    // Whether the records are a file of ours: not empty, and one of the first two starts as its
    // version line or as its title line (either alone will do, so an edited version line still
    // imports). Otherwise false, with "the file is empty" or "not a <kind> file" in problems.
    static bool checkHeader(const std::vector<CsvRecord>& records, const CsvHeader& header,
                            std::vector<std::string>* problems);
    // Names the record's problems in problems (when given): "line N: an unclosed quote" for
    // each such field, then "line N: K fields, expected M" when it has another count.
    static void check(const CsvRecord& record, size_t expectedFields, std::vector<std::string>* problems);
    // Adds the message to problems when given.
    static void addProblem(std::vector<std::string>* problems, std::string message);

    // The decimal number at the start of the text after blanks and a sign, saturated to 64
    // bits; 0 when the text starts with none.
    static int64_t parseInt(std::string_view text);
    // parseInt saturated to 32 bits, then not 0.
    static bool parseBool(std::string_view text);

    // Writes the whole text in place of the file, private to the user (profiles hold passwords).
    static bool writeFile(const std::string& path, const std::string& text);
};
