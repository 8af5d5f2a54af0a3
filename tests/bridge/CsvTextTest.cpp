#include "Logic/bridge/CsvText.h"
#include "Logic/bridge/ConnectionCSV.h"
#include "Logic/bridge/PhoneBookCSV.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

std::string written(const std::string& field) {
    std::string out;
    CsvText::appendField(out, field);
    return out;
}

// The records' fields; problems gets each record's problems, as a reader taking all would.
std::vector<Fields> fieldsOf(const std::string& text, std::vector<std::string>* problems = nullptr) {
    std::vector<Fields> rows;
    for (const CsvRecord& record : CsvText::records(text)) {
        rows.push_back(record.fields);
        CsvText::check(record, record.fields.size(), problems);
    }
    return rows;
}

TEST(CsvTextTest, FieldsAreQuotedExactlyWhenTheyHoldACommaAQuoteOrALineBreak) {
    const std::pair<std::string, std::string> cases[] = {
        {"Room 1, East", "\"Room 1, East\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"VIP\"", "\"\"\"VIP\"\"\""},
        {"a\"b,c", "\"a\"\"b,c\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "\"a\rb\""},
        {"a\vb", "\"a\vb\""},
        {"a\fb", "\"a\fb\""},
        {"a\xC2\x85", "\"a\xC2\x85\""},
        {"\xE2\x80\xA8", "\"\xE2\x80\xA8\""},
        {"\xE2\x80\xA9", "\"\xE2\x80\xA9\""},
        // Byte-identical to what older versions wrote when there is nothing to protect.
        {"", ""},
        {"Zürich 'Nord'", "Zürich 'Nord'"},
        {"\xE2\x80\xA6 \xC2\xA0", "\xE2\x80\xA6 \xC2\xA0"},
    };
    for (const auto& [field, expected] : cases)
        EXPECT_EQ(written(field), expected) << field;
}

TEST(CsvTextTest, RecordsReadQuotedFieldsAndOldUnquotedOnes) {
    struct Case {
        std::string text;
        std::vector<Fields> rows;
    };
    const Case cases[] = {
        {"\"x\"\"y\",z", {{"x\"y", "z"}}},
        // Older files never quoted: a quote inside a field is a plain character.
        {"say \"hi\",2", {{"say \"hi\"", "2"}}},
        {"\"VIP\",\"\"", {{"VIP", ""}}},
        {"\"a\nb\",c\nd", {{"a\nb", "c"}, {"d"}}},
        {"a,,\r\nb,\rc\n", {{"a", "", ""}, {"b", ""}, {"c"}}},
        {"a\n\nb", {{"a"}, {""}, {"b"}}},
        {"a\vb\fc\xC2\x85"
         "d\xE2\x80\xA8"
         "e\xE2\x80\xA9"
         "f",
         {{"a"}, {"b"}, {"c"}, {"d"}, {"e"}, {"f"}}},
        {"a,", {{"a", ""}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        EXPECT_EQ(fieldsOf(c.text, &problems), c.rows) << c.text;
        EXPECT_TRUE(problems.empty()) << c.text;
    }
}

TEST(CsvTextTest, UnclosedQuoteIsReadAsItStandsAndNamed) {
    struct Case {
        std::string text;
        std::vector<Fields> rows;
        std::string problem;
    };
    const Case cases[] = {
        {"h\nh\nh\n\"VIP,1\n2", {{"h"}, {"h"}, {"h"}, {"\"VIP", "1"}, {"2"}}, "line 4: an unclosed quote"},
        {"\"VIP\" member,1", {{"\"VIP\" member", "1"}}, "line 1: an unclosed quote"},
        {"a\n\"b\nc,\"d\"x", {{"a"}, {"\"b"}, {"c", "\"d\"x"}}, "line 2: an unclosed quote"},
        // A quoted line break moves the count on.
        {"\"1\n2\",x\n\"y", {{"1\n2", "x"}, {"\"y"}}, "line 3: an unclosed quote"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        EXPECT_EQ(fieldsOf(c.text, &problems), c.rows) << c.text;
        ASSERT_FALSE(problems.empty()) << c.text;
        EXPECT_EQ(problems.front(), c.problem);
    }
}

TEST(CsvTextTest, RandomTextsComeBackUnchanged) {
    const char* const pieces[] = {",", "\"", "'", "\r", "\n",   "\r\n", "\xE2\x80\xA8",
                                  "ü", "漢", " ", "a",  "\"\"", "x,y"};
    uint32_t state = 12345;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int round = 0; round < 300; ++round) {
        Fields fields(1 + next() % 6);
        for (std::string& field : fields) {
            for (uint32_t piece = next() % 7; piece > 0; --piece)
                field += pieces[next() % std::size(pieces)];
        }
        std::string line;
        for (size_t i = 0; i < fields.size(); ++i)
            line += (i > 0 ? "," : "") + written(fields[i]);
        std::vector<std::string> problems;
        const auto rows = fieldsOf(line + "\n", &problems);
        ASSERT_EQ(rows, std::vector<Fields>{fields}) << line;
        EXPECT_TRUE(problems.empty());
    }
}

TEST(CsvTextTest, FieldParsersReadTheLeadingNumberSaturated) {
    const std::pair<std::string, int64_t> integers[] = {
        {" 12ab", 12},
        {"", 0},
        {"x1", 0},
        {"-1", -1},
        {"+7", 7},
        {"\t\n-0042", -42},
        {"99999999999999999999", std::numeric_limits<int64_t>::max()},
        {"-99999999999999999999", std::numeric_limits<int64_t>::min()},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"- 1", 0},
    };
    for (const auto& [text, value] : integers) {
        EXPECT_EQ(ConnectionCSV::parseInt(text), value) << text;
        EXPECT_EQ(PhoneBookCSV::parseInt(text), value) << text;
    }
    // Saturated, not cut to 32 bits: 4294967296 would otherwise read as 0, false.
    const std::pair<std::string, bool> flags[] = {{"1", true},          {"2", true},    {"-1", true},
                                                  {"4294967296", true}, {"0", false},   {"", false},
                                                  {"yes", false},       {"true", false}};
    for (const auto& [text, value] : flags) {
        EXPECT_EQ(ConnectionCSV::parseBool(text), value) << text;
        EXPECT_EQ(PhoneBookCSV::parseBool(text), value) << text;
    }
    EXPECT_EQ(PhoneBookCSV::intToString(4294967295), "-1");
    EXPECT_EQ(PhoneBookCSV::intToString(-1), "-1");
    EXPECT_EQ(PhoneBookCSV::intToString(12), "12");
}

TEST(CsvTextTest, TypeAndKindNamesAreExact) {
    const char* const names[] = {"Home", "Work", "Mobile", "Main", "Office", "Pager", "Other"};
    for (int64_t type = 0; type <= 6; ++type) {
        EXPECT_EQ(PhoneBookCSV::typeToString(type), names[type]);
        EXPECT_EQ(PhoneBookCSV::parseType(names[type]), type);
    }
    for (const int64_t type : {int64_t{-1}, int64_t{7}, int64_t{9}})
        EXPECT_EQ(PhoneBookCSV::typeToString(type), "Other");
    for (const char* text : {"home", "Home ", "", "HOME"})
        EXPECT_EQ(PhoneBookCSV::parseType(text), 6) << text;
    EXPECT_EQ(ConnectionCSV::parseConnectionType("Telnet"), 1);
    EXPECT_EQ(ConnectionCSV::parseConnectionType("telnet"), 2);
    EXPECT_EQ(ConnectionCSV::parseConnectionType("Telnet "), 2);
    EXPECT_EQ(ConnectionCSV::parsePhoneType("VoIP"), 1);
    EXPECT_EQ(ConnectionCSV::parsePhoneType("voip"), 2);
}

} // namespace
