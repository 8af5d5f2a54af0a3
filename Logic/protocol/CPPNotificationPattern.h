#pragma once

#include "Logic/protocol/CPPNotificationInfo.h"

#include <regex.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CommandParser;
class CPPConnectionSettings;
class CompiledPattern;

// One row of the grammar of received lines: an upper-case POSIX extended expression and the
// handler that takes a line it matches. The end row has a null expression and handler 21.
struct CPPNotificationPattern {
    const char* regex;
    int32_t handler;
};

// settings is the profile the line processor was given.
using NotificationHandler = std::unique_ptr<CPPNotificationInfo> (*)(CommandParser& parser,
                                                                     const std::string& line,
                                                                     const regmatch_t* matches,
                                                                     const CPPConnectionSettings& settings);

constexpr size_t NOTIFICATION_PATTERN_COUNT = 75;
constexpr int32_t NOTIFICATION_END_HANDLER = 21;
// Whole match plus six groups.
constexpr size_t NOTIFICATION_MATCH_COUNT = 7;

// The 75 rows in walk order, then the end row.
extern const CPPNotificationPattern NOTIFICATION_PATTERN_TABLE[NOTIFICATION_PATTERN_COUNT + 1];
// Slots 0 to 20 hold the handlers; slot 21 belongs to the end row and is empty.
extern const NotificationHandler NOTIFICATION_HANDLER_TABLE[NOTIFICATION_END_HANDLER + 1];

// Row number row of the table, compiled once on first use and never changed after.
const CompiledPattern& compiledNotificationPattern(size_t row);
