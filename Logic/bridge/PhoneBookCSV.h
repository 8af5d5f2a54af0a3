#pragma once

#include "Logic/bridge/Contact.h"

#include <cstdint>
#include <string>
#include <vector>

// The phone book to and from a CSV file: a version line, a title line, then per contact one
// row with its first number and one row per further number whose first five fields are empty.
// Not carried: ids, call counts and whether a contact came from the phone.
class PhoneBookCSV {
public:
    PhoneBookCSV() = delete;

    // Replaces the file only once the whole text is written; false leaves it as it was.
    static bool exportToFile(const std::string& path, const std::vector<ContactPtr>& contacts);
    // New, unsaved contacts in file order; empty when nothing could be read. Each problem
    // found (the file unreadable, not UTF-8, a row of another shape) adds one plain message.
    static std::vector<ContactPtr> parseFile(const std::string& path,
                                             std::vector<std::string>* problems = nullptr);

    static int64_t parseInt(const std::string& text);
    // The low 32 bits, signed: -1 for "no slot" whichever width it was kept in.
    static std::string intToString(int64_t value);
    static bool parseBool(const std::string& text);
    // 0 to 5 for exactly "Home" to "Pager"; 6 ("Other") for anything else.
    static int64_t parseType(const std::string& text);
    static std::string typeToString(int64_t type);
};
