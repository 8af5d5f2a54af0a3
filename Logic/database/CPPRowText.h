#pragma once

#include "Logic/database/CPPDatabase.h"

#include <cstdint>
#include <string>

// A column of a selected row. A column the row lacks (a table from an older revision) reads
// like NULL: "" as text, 0 as a number.
const std::string& columnText(const Row& row, const std::string& column);
int32_t columnInt(const Row& row, const std::string& column);

// The same for a flat table: the cells of one column, found by name once for all rows.
class RowTableColumn {
public:
    // The last column of that name, as a Row keeps it; none reads like NULL.
    RowTableColumn(const RowTable& table, const std::string& column);

    const std::string& text(size_t row) const;
    int32_t integer(size_t row) const;

private:
    const RowTable& m_table;
    size_t m_index;
};
