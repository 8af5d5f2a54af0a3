#include "Logic/database/CPPRowText.h"

#include "Logic/common/Conversions.h"

const std::string& columnText(const Row& row, const std::string& column) {
    static const std::string missing;
    const auto found = row.find(column);
    return found != row.end() ? found->second : missing;
}

int32_t columnInt(const Row& row, const std::string& column) {
    return stringToInt(columnText(row, column));
}
