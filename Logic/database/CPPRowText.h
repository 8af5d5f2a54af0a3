#pragma once

#include "Logic/database/CPPDatabase.h"

#include <cstdint>
#include <string>

// A column of a selected row. A column the row lacks (a table from an older revision) reads
// like NULL: "" as text, 0 as a number.
const std::string& columnText(const Row& row, const std::string& column);
int32_t columnInt(const Row& row, const std::string& column);
