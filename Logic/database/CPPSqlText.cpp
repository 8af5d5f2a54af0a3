#include "Logic/database/CPPSqlText.h"

std::string sqlQuote(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('\'');
    for (const char character : text) {
        quoted.push_back(character);
        if (character == '\'')
            quoted.push_back('\'');
    }
    quoted.push_back('\'');
    return quoted;
}

bool containsNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

bool anyContainsNul(std::initializer_list<std::string_view> texts) {
    for (const std::string_view text : texts) {
        if (containsNul(text))
            return true;
    }
    return false;
}
