#include "Logic/common/Conversions.h"
#include "Logic/common/Tokenizer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

enum class Colour : int32_t { Red = 2, Blue = -7 };

// A parser that stops early, accepts hex or wraps on overflow would corrupt every stored integer.
TEST(Conversions, StringToIntReadsLikeAStreamAndClamps) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"42", 42},
        {" -7", -7},
        {"+5", 5},
        {"12abc", 12},
        {"12AB", 12},
        {"1.9", 1},
        {"\t\n42", 42},
        {"007", 7},
        {"-0", 0},
        {"123456789", 123456789},
        {"-987654321", -987654321},
        {"12 ", 12},
        {"0x10", 0},
        {"", 0},
        {"ABC", 0},
        {"-", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"00:01:05", 0},
        {"2147483648", std::numeric_limits<int32_t>::max()},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-2147483649", std::numeric_limits<int32_t>::min()},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(stringToInt(text), expected) << '"' << text << '"';
}

TEST(Conversions, FloatsReadAndWriteInSixSignificantDigits) {
    EXPECT_FLOAT_EQ(stringToFloat("12.5ABC"), 12.5F);
    EXPECT_EQ(stringToFloat("abc"), 0.0F);
    EXPECT_EQ(stringToFloat("inf"), 0.0F);
    EXPECT_EQ(stringToFloat(""), 0.0F);
    EXPECT_EQ(stringToFloat("1e400"), std::numeric_limits<float>::max());
    EXPECT_EQ(stringToFloat("-1e400"), -std::numeric_limits<float>::max());

    EXPECT_EQ(floatToString(50.0F), "50");
    EXPECT_EQ(floatToString(12.5F), "12.5");
    EXPECT_EQ(floatToString(100.0F / 3.0F), "33.3333");
    EXPECT_EQ(floatToString(1e6F), "1e+06");
    EXPECT_EQ(floatToString(-20.5F), "-20.5");
    EXPECT_EQ(floatToString(0.25F), "0.25");
    EXPECT_EQ(stringToFloat(floatToString(stringToFloat("84.7059"))), stringToFloat("84.7059"));
}

TEST(Conversions, ToStringWritesPlainDecimalsFlagsAndEnums) {
    EXPECT_EQ(toString(int32_t{0}), "0");
    EXPECT_EQ(toString(int32_t{-1}), "-1");
    EXPECT_EQ(toString(int32_t{1234567}), "1234567");
    EXPECT_EQ(toString(std::numeric_limits<int32_t>::min()), "-2147483648");
    EXPECT_EQ(toString(std::numeric_limits<int32_t>::max()), "2147483647");
    EXPECT_EQ(toString(true), "1");
    EXPECT_EQ(toString(false), "0");
    EXPECT_EQ(toString(Colour::Red), "2");
    EXPECT_EQ(toString(Colour::Blue), "-7");
}

// Without the deleted catch-all, a text or a pointer would quietly take the bool form.
template <typename T>
concept Writable = requires(T value) {
    toString(value);
};
static_assert(Writable<int32_t> && Writable<bool> && Writable<Colour>);
static_assert(!Writable<const char*> && !Writable<int*> && !Writable<int64_t>);

// The application sets the user's locale; conversions must not follow it.
TEST(Conversions, IgnoreTheGlobalLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(floatToString(12.5F), "12.5");
    EXPECT_FLOAT_EQ(stringToFloat("12.5"), 12.5F);
    EXPECT_EQ(toString(int32_t{1234567}), "1234567");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Conversions, UpperCaseChangesOnlyAsciiLetters) {
    std::string line = "ep ua 1 x";
    toUpperInPlace(line);
    EXPECT_EQ(line, "EP UA 1 X");

    std::string others = "`@[{\x80\xC9\xE9\xFF";
    const std::string before = others;
    toUpperInPlace(others);
    EXPECT_EQ(others, before);
    EXPECT_EQ(toUpperChar('z'), 'Z');
    EXPECT_EQ(toUpperChar(0xE9), 0xE9);
}

TEST(Conversions, TrimSpacesRemovesBlanksOnly) {
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(trimSpaces("   "), "   ");
    EXPECT_EQ(trimSpaces(""), "");
    EXPECT_EQ(trimSpaces(" 65"), "65");
}

// strtok_r semantics: runs of delimiters collapse, no empty tokens, delimiters may change.
TEST(Tokenizer, SkipsDelimiterRunsAndKeepsOnePosition) {
    EXPECT_EQ(splitTokens(";;a;;b;", ";"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(splitTokens(";;;", ";").empty());
    EXPECT_TRUE(splitTokens("", ";").empty());
    EXPECT_EQ(splitTokens("sip:300@pbx", ":@"), (std::vector<std::string>{"sip", "300", "pbx"}));

    Tokenizer tokenizer("ACTIVE;CFW-BUSY;SIP:300@PBX");
    EXPECT_EQ(tokenizer.next(";"), "ACTIVE");
    EXPECT_EQ(tokenizer.next(":"), "CFW-BUSY;SIP");
    EXPECT_EQ(tokenizer.next(";"), "300@PBX");
    EXPECT_EQ(tokenizer.next(";"), std::nullopt);
}

} // namespace
