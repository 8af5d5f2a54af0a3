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

RowTableColumn::RowTableColumn(const RowTable& table, const std::string& column)
    : m_table(table), m_index(table.columns.size()) {
    for (size_t index = 0; index < table.columns.size(); ++index) {
        if (table.columns[index] == column)
            m_index = index;
    }
}

const std::string& RowTableColumn::text(size_t row) const {
    static const std::string missing;
    if (m_index >= m_table.columns.size())
        return missing;
    return m_table.cells[row * m_table.columns.size() + m_index];
}

int32_t RowTableColumn::integer(size_t row) const {
    return stringToInt(text(row));
}
