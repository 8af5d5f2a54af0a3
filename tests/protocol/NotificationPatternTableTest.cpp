#include "Logic/protocol/CPPNotificationPattern.h"
#include "Logic/protocol/CompiledPattern.h"

#include <gtest/gtest.h>

#include <regex.h>

#include <string>
#include <vector>

namespace {

// The row that takes a line, found by compiling the table's texts here, independently of the
// product's walk: a swapped, missing or mistyped row moves the number.
int firstMatchingRow(const std::string& line) {
    for (size_t row = 0; row < NOTIFICATION_PATTERN_COUNT; ++row) {
        regex_t regex;
        EXPECT_EQ(regcomp(&regex, NOTIFICATION_PATTERN_TABLE[row].regex, REG_EXTENDED), 0) << row;
        const bool matched = regexec(&regex, line.c_str(), 0, nullptr, 0) == 0;
        regfree(&regex);
        if (matched)
            return static_cast<int>(row);
    }
    return -1;
}

TEST(NotificationPatternTable, HoldsSeventyFiveRowsForTwentyOneHandlers) {
    const std::vector<int32_t> handlers = {
        0,  0,  0,  0,  1,  1,  1,  1,  2,  2,  2,  2,  3,  3,  3,  3,  4,  4,  4,  4,  5,  5,  5,  5,  6,
        6,  6,  6,  7,  7,  7,  7,  2,  2,  2,  2,  8,  8,  8,  8,  9,  9,  9,  9,  10, 10, 11, 11, 11, 11,
        12, 12, 12, 12, 13, 13, 14, 14, 14, 14, 15, 15, 16, 16, 17, 17, 18, 18, 14, 14, 19, 19, 20, 20, 20};
    ASSERT_EQ(handlers.size(), NOTIFICATION_PATTERN_COUNT);
    for (size_t row = 0; row < NOTIFICATION_PATTERN_COUNT; ++row) {
        EXPECT_EQ(NOTIFICATION_PATTERN_TABLE[row].handler, handlers[row]) << row;
        EXPECT_TRUE(compiledNotificationPattern(row).isValid()) << row;
        EXPECT_NE(NOTIFICATION_HANDLER_TABLE[handlers[row]], nullptr) << row;
    }
    EXPECT_EQ(NOTIFICATION_PATTERN_TABLE[NOTIFICATION_PATTERN_COUNT].regex, nullptr);
    EXPECT_EQ(NOTIFICATION_PATTERN_TABLE[NOTIFICATION_PATTERN_COUNT].handler, 21);
    EXPECT_EQ(NOTIFICATION_HANDLER_TABLE[21], nullptr);
}

// Named rows before numeric before generic; the first match wins even where a later row
// fits better, as with the numeric Telco key-call and caller-ID forms.
TEST(NotificationPatternTable, WalkOrderDecidesTheRow) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY", 0},
        {"EP FRONTDESK INQUIRE_RESULT REG_STATUS REGISTERED", 2},
        {"EP 3 1 3 1 201", 3},
        {"EP 3 2 3 1 201", 3},
        {"EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"ROOM 3 1 A\" <SIP:201@PBX>", 3},
        {"EP UA 1 INQUIRE_RESULT CFW_STATUS ACTIVE;CFW-BUSY;SIP:300@PBX", 4},
        {"EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES IDLE;ACTIVE:201:30:0;IDLE;IDLE;IDLE;", 12},
        {"EP UA 1 NOTIFICATION STATE_CHANGE PL 2;ACTIVE:201:10:0", 16},
        {"EP 20 1 4 1 PL 2;IDLE", 17},
        {"EP ROOM NOTIFICATION STATE_CHANGE PL 1;DIAL_TONE", 18},
        {"EP UA 1 NOTIFICATION MESSAGE CALL_FORWARD_DEACTIVATION", 20},
        {"EP 3 1 4 3 201", 23},
        {"EP 3 2 4 3 201", 23},
        {"EP UA 1 NOTIFICATION ERROR CALL_FORWARD_ACTIVATION;ERROR_CALL_ACTIVE", 24},
        {"EP UA 1 ERROR ERR_INFO 12 BAD", 28},
        {"EP TELCO_RX 2 SETTINGS LOCAL_NUMBER 5550100", 32},
        {"EP TELCO_RX 2 KEY KEY_CALL 555", 36},
        {"EP TELCO_RX 2 KEY KEY_DIGIT_RELEASED 5", 40},
        {"EP TELCO_RX 2 NOTIFICATION RING 1", 44},
        {"EP TELCO_RX 1 NOTIFICATION INCOMING_CALL", 46},
        {"EP 3 2 4 4 1", 47},
        {"EP TELCO_RX 2 NOTIFICATION HOOK 1", 50},
        {"EP UA 1 NOTIFICATION HOOK 1", 52},
        {"EP TELCO_RX 2 NOTIFICATION CALL_DURATION 65", 54},
        {"EP UA 1 NOTIFICATION CALL_DURATION 00:01:05", 55},
        {"EP TELCO_RX 2 NOTIFICATION CALLER_ID 0102 1030 5551234 JOHN DOE", 56},
        {"EP TELCO_RX 2 INQUIRE HOOK 1", 60},
        {"EP TELCO_RX 2 INQUIRE OFF_HOOK_DURATION 25", 62},
        {"EP TELCO_RX 2 INQUIRE DIRECTION 1", 64},
        {"EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK 555", 66},
        {"EP TELCO_RX 2 INQUIRE CALLER_ID 0102 1030 5551234", 68},
        {"EP UA 1 INQUIRE_RESULT DND_STATUS DND_CALL_REJECT", 70},
        {"EP UA 1 KEY KEY_REDIAL 55", 72},
        {"EP TELCO_RX 2 KEY KEY_REDIAL", 73},
        {"EP ROOM KEY KEY_REDIAL", 74},
        {"EP TELCO_RX 1 NOTIFICATION RING", -1},
        {"EP UA 1 NOTIFICATION LINK_DOWN", -1},
    };
    for (const auto& [line, row] : cases)
        EXPECT_EQ(firstMatchingRow(line), row) << line;
}

} // namespace
