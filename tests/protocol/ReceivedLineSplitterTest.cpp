#include "Logic/protocol/CommandParser.h"
#include "Logic/protocol/CompiledPattern.h"
#include "support/CapturingLog.h"

#include <gtest/gtest.h>

#include <regex.h>

#include <array>
#include <string>
#include <vector>

namespace {

struct SplitCase {
    std::string data;
    std::vector<std::string> lines;
    std::string rest;
};

// Lines are cut at whichever terminator comes first, trimmed of blanks only, upper-cased in
// ASCII only; empty lines are dropped and the unfinished tail is handed back.
TEST(ReceivedLineSplitter, CutsAtTheEarliestTerminator) {
    const std::vector<SplitCase> cases = {
        {"A\r\nB\r\n=> ", {"A", "B"}, " "},
        {"x\r\n", {"X"}, ""},
        {"=>ep ua 1 x\r\n", {"EP UA 1 X"}, ""},
        {"  a\tb  \r\n   \r\n", {"A\tB", "   "}, ""},
        {"A\r\nB", {"A"}, "B"},
        {"caf\xE9\r\n", {"CAF\xE9"}, ""},
        {"no terminator yet", {}, "no terminator yet"},
        {"ep ua 1 reg=>ep ua 1 hook\r\n=>", {"EP UA 1 REG", "EP UA 1 HOOK"}, ""},
        {"\r\n\r\n=>=>", {}, ""},
        {"A\r", {}, "A\r"},
        {"A=", {}, "A="},
    };
    CommandParser parser;
    for (const SplitCase& row : cases) {
        std::vector<std::string> lines;
        std::string rest = "old";
        EXPECT_EQ(parser.splitReceivedLines(row.data, lines, rest), 0) << row.data;
        EXPECT_EQ(lines, row.lines) << row.data;
        EXPECT_EQ(rest, row.rest) << row.data;
    }
}

// Lines already collected stay; new ones are appended after them.
TEST(ReceivedLineSplitter, AppendsAndLeavesEverythingAloneForEmptyData) {
    CommandParser parser;
    std::vector<std::string> lines = {"KEPT"};
    std::string rest = "tail";
    EXPECT_EQ(parser.splitReceivedLines("", lines, rest), -1);
    EXPECT_EQ(lines, std::vector<std::string>{"KEPT"});
    EXPECT_EQ(rest, "tail");
    EXPECT_EQ(parser.splitReceivedLines("b\r\n", lines, rest), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"KEPT", "B"}));
}

// A box that never sends a line end must not grow the tail without bound.
TEST(ReceivedLineSplitter, DropsAnOverlongTailWithOneLogLine) {
    CapturingLog log;
    CommandParser parser;
    std::vector<std::string> lines;
    std::string rest;
    const std::string limit(CommandParser::MAX_RECEIVED_TAIL_BYTES, 'a');
    EXPECT_EQ(parser.splitReceivedLines(limit, lines, rest), 0);
    EXPECT_EQ(rest, limit);
    EXPECT_TRUE(log.outLines().empty());

    EXPECT_EQ(parser.splitReceivedLines("x\r\n" + std::string(70000, 'b'), lines, rest), 0);
    EXPECT_EQ(lines, std::vector<std::string>{"X"});
    EXPECT_EQ(rest, "");
    EXPECT_EQ(log.outLines().size(), 1U);
}

// Blanks only: tabs and line ends are part of the text, and a blank-only text is kept whole.
TEST(ReceivedLineSplitter, TrimAndUpperCaseHelpers) {
    EXPECT_EQ(CommandParser::trimSpaces("  a b  "), "a b");
    EXPECT_EQ(CommandParser::trimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(CommandParser::trimSpaces("   "), "   ");
    EXPECT_EQ(CommandParser::trimSpaces(""), "");
    std::string text = "sip:Ab\xE9\xFFz{}";
    CommandParser::toUpperInPlace(text);
    EXPECT_EQ(text, "SIP:AB\xE9\xFFZ{}");
}

// Groups are collected up to the first unset one; an invalid pattern is simply no match.
TEST(RegexMatch, CollectsLeadingSetGroups) {
    std::vector<std::string> groups;
    EXPECT_TRUE(matchRegex("(A)?(B)", "B", 3, &groups));
    EXPECT_EQ(groups, std::vector<std::string>{"B"});

    groups = {"kept"};
    EXPECT_TRUE(matchRegex("EP (.*) LEVEL (.*)_GAIN (.*)", "X EP SPK LEVEL MAX_GAIN 12", 4, &groups));
    EXPECT_EQ(groups, (std::vector<std::string>{"kept", "EP SPK LEVEL MAX_GAIN 12", "SPK", "MAX", "12"}));

    EXPECT_TRUE(matchRegex("B", "ABC", 0, nullptr));
    EXPECT_FALSE(matchRegex("D", "ABC", 2, &groups));
    EXPECT_FALSE(matchRegex("(", "(", 2, &groups));
    EXPECT_FALSE(matchRegex("[", "[", 1, nullptr));

    std::vector<std::string> cased;
    EXPECT_TRUE(matchRegexWithSource("EP (.*) LEVEL GAIN( .*)?", "EP SPK LEVEL GAIN", "EP Spk LEVEL GAIN", 3,
                                     &cased));
    EXPECT_EQ(cased, (std::vector<std::string>{"EP Spk LEVEL GAIN", "Spk"}));
}

// The compiled form skips the matcher when a literal piece is missing; it must never reject a
// line the matcher would take, nor report other offsets.
TEST(RegexMatch, CompiledPatternsAgreeWithThePlainMatcher) {
    const std::vector<std::string> patterns = {
        "EP UA (.*) NOTIFICATION STATE_CHANGE PL (.*);(.*)",
        "ABA(.*)BA",
        "(.*)X(.*)",
        "EP (.*) 3 1 (.*)",
        "A.B(.*)C",
        "GAIN[(.*)",
        "RAMP (.*) (.*) (.*)",
    };
    const std::vector<std::string> texts = {
        "EP UA 1 NOTIFICATION STATE_CHANGE PL 2;A;B",
        "PL 2;A EP UA 1 NOTIFICATION STATE_CHANGE ",
        "ABABA",
        "ABA",
        "BA ABA",
        "X",
        "EP 3 1 3 1 201",
        "EP 3 1",
        "AxB C",
        std::string("RAMP A B\0 C", 10),
        "RAMP A B C",
        "",
    };
    for (const std::string& pattern : patterns) {
        const CompiledPattern compiled(pattern);
        regex_t plain;
        const bool valid = regcomp(&plain, pattern.c_str(), REG_EXTENDED) == 0;
        EXPECT_EQ(compiled.isValid(), valid) << pattern;
        for (const std::string& text : texts) {
            std::array<regmatch_t, 4> expected{};
            std::array<regmatch_t, 4> actual{};
            const bool plainMatch = valid && regexec(&plain, text.c_str(), 4, expected.data(), 0) == 0;
            ASSERT_EQ(compiled.execute(text, 4, actual.data()), plainMatch) << pattern << " on " << text;
            for (size_t index = 0; plainMatch && index < expected.size(); ++index) {
                EXPECT_EQ(actual[index].rm_so, expected[index].rm_so) << pattern << " on " << text;
                EXPECT_EQ(actual[index].rm_eo, expected[index].rm_eo) << pattern << " on " << text;
            }
        }
        if (valid)
            regfree(&plain);
    }
}

} // namespace
