#include "Logic/common/Utf8.h"
#include "Logic/common/Uuid.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

// A lenient decoder lets overlong or surrogate forms through, which hides characters from
// every later check.
TEST(Utf8, DecodesOnlyWellFormedText) {
    const std::vector<std::pair<std::string, std::wstring>> good = {
        {"", L""},
        {"AbC", L"AbC"},
        {"\xC3\xA9", L"\u00E9"},
        {"\xE2\x82\xAC", L"\u20AC"},
        {"\xF0\x9F\x98\x80", std::wstring(1, static_cast<wchar_t>(0x1F600))},
        {"\xF4\x8F\xBF\xBF", std::wstring(1, static_cast<wchar_t>(0x10FFFF))},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& [bytes, expected] : good) {
        EXPECT_EQ(decodeUtf8(bytes), expected) << bytes;
        EXPECT_TRUE(isValidUtf8(bytes)) << bytes;
    }
    const std::vector<std::string> bad = {
        "\xFF",             // never a UTF-8 byte
        "\x80",             // a continuation without a lead
        "\xC3",             // cut short
        "\xE2\x82",         // cut short
        "\xC0\x80",         // overlong NUL
        "\xE0\x80\xAF",     // overlong slash
        "\xE0\x9F\xBF",     // overlong U+07FF, which fits two bytes
        "\xF0\x80\x80\x80", // overlong
        "\xED\xA0\x80",     // surrogate half
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xC3\x41",         // a lead followed by a plain byte
    };
    for (const std::string& bytes : bad) {
        EXPECT_FALSE(decodeUtf8(bytes)) << bytes;
        EXPECT_FALSE(isValidUtf8(bytes)) << bytes;
    }
}

// Box text in Latin-1 must become characters, each stray byte its own; a valid sequence around
// it, or a whole valid text, must pass unchanged rather than be read twice.
TEST(Utf8, MakesTextValidByReadingStrayBytesAsLatin1) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"Zo\xC3\xAB \xE2\x82\xAC", "Zo\xC3\xAB \xE2\x82\xAC"},
        {"Zo\xEB", "Zo\xC3\xAB"},
        {"\xFF\x80", "\xC3\xBF\xC2\x80"},
        {"\xC3", "\xC3\x83"},
        {"\xC3\xA9\xE9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9"},
        {"\xE2\x82"
         "A",
         "\xC3\xA2\xC2\x82"
         "A"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"\xE0\x9F\xBF", "\xC3\xA0\xC2\x9F\xC2\xBF"},
        {"\xE0\x82\x80", "\xC3\xA0\xC2\x82\xC2\x80"},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(toValidUtf8(bytes), expected) << bytes;
        EXPECT_TRUE(isValidUtf8(toValidUtf8(bytes))) << bytes;
    }
}

TEST(Uuid, MakesDistinctVersionFourTexts) {
    const std::regex form("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int made = 0; made < 1000; ++made) {
        const std::string uuid = makeUuidString();
        ASSERT_TRUE(std::regex_match(uuid, form)) << uuid;
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 1000U);
}

} // namespace
