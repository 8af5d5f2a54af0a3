#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// A text as an SQL literal: between single quotes, each quote inside doubled. This is the
// only way a text enters a statement.
std::string sqlQuote(std::string_view text);

// True when a text holds a NUL byte. Such a text cannot be stored: operations refuse it
// before any statement runs.
bool containsNul(std::string_view text);
bool anyContainsNul(std::initializer_list<std::string_view> texts);
