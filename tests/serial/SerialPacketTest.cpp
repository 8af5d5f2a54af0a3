#include "Logic/connection/Serial/SerialBuffer.h"
#include "Logic/connection/Serial/SerialPacketDescriptor.h"
#include "Logic/connection/Serial/SerialRequest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string text(const std::optional<std::string>& data) {
    return data ? *data : std::string("<none>");
}

struct PacketCase {
    const char* what;
    SerialPacketDescriptor descriptor;
    std::string buffer;
    std::string expected;
};

// The packet found at the end of a buffer decides what a listener hears: a wrong tail loses or
// invents packets.
TEST(SerialPacketDescriptor, FindsTheShortestValidTailAtTheEnd) {
    const std::vector<PacketCase> cases = {
        {"prefix and suffix skip the bytes before",
         SerialPacketDescriptor(std::string("$"), std::string("\n"), 16, {}), "xx$AB\n", "$AB\n"},
        {"prefix and suffix need both ends",
         SerialPacketDescriptor(std::string("$"), std::string("\n"), 16, {}), "xxAB\n", "<none>"},
        {"only a prefix: the shortest tail is the prefix itself",
         SerialPacketDescriptor(std::string("$"), std::nullopt, 16, {}), "xx$AB", "$AB"},
        {"a present empty prefix puts no condition",
         SerialPacketDescriptor(std::string(""), std::string("\n"), 16, {}), "AB\n", "\n"},
        {"neither prefix nor suffix never finds a packet",
         SerialPacketDescriptor(std::nullopt, std::nullopt, 16, {}), "anything", "<none>"},
        {"prefix and suffix overlap in a short tail",
         SerialPacketDescriptor(std::string("ab"), std::string("ba"), 16, {}), "xaba", "aba"},
        {"exact bytes at the end", SerialPacketDescriptor(std::string("OK"), {}), "NOOK", "OK"},
        {"exact bytes not at the end", SerialPacketDescriptor(std::string("OK"), {}), "OKNO", "<none>"},
        {"the default test takes the last byte", SerialPacketDescriptor(8, {}, nullptr), "XYZ", "Z"},
        {"an empty buffer has no packet", SerialPacketDescriptor(8, {}, nullptr), "", "<none>"},
        {"a caller's test",
         SerialPacketDescriptor(8, {}, [](std::string_view candidate) { return candidate.size() == 3; }),
         "ABCDE", "CDE"},
        {"an anchored expression", SerialPacketDescriptor(std::wregex(L"^A.C"), 16, {}), "XXABC", "ABC"},
        {"matching starts at the tail's first character", SerialPacketDescriptor(std::wregex(L"A.C"), 16, {}),
         "XXABC", "ABC"},
        {"the match need not reach the end", SerialPacketDescriptor(std::wregex(L"A"), 16, {}), "XAB", "AB"},
        {"a dot is one character, not one byte", SerialPacketDescriptor(std::wregex(L"^A.C"), 16, {}),
         "A\xC3\xA9"
         "C",
         "A\xC3\xA9"
         "C"},
        {"invalid UTF-8 before the tail does not matter", SerialPacketDescriptor(std::wregex(L"A.C"), 16, {}),
         "\xFF"
         "ABC",
         "ABC"},
        {"a tail cut inside a character is no match, the whole character is",
         SerialPacketDescriptor(std::wregex(L"."), 16, {}), "\xC3\xA9", "\xC3\xA9"},
        {"invalid UTF-8 in the tail is no match", SerialPacketDescriptor(std::wregex(L".*"), 16, {}), "\xFF",
         "<none>"},
    };
    for (const PacketCase& row : cases)
        EXPECT_EQ(text(row.descriptor.packetMatchingAtEndOfBuffer(row.buffer)), row.expected) << row.what;
}

TEST(SerialPacketDescriptor, StoresWhatItWasMadeFromAndComparesByIdentity) {
    const SerialPacketDescriptor exact(std::string("OK\r\n"), std::string("mine"));
    EXPECT_EQ(exact.maximumPacketLength(), 4U);
    EXPECT_EQ(text(exact.packetData()), "OK\r\n");
    EXPECT_EQ(std::any_cast<std::string>(exact.userInfo()), "mine");
    EXPECT_FALSE(exact.prefix());
    EXPECT_FALSE(exact.regularExpression());

    const auto fromText = SerialPacketDescriptor::withPrefixString(std::string("$"), std::nullopt, 12, {});
    EXPECT_EQ(text(fromText.prefix()), "$");
    EXPECT_FALSE(fromText.suffix());
    EXPECT_EQ(fromText.maximumPacketLength(), 12U);

    // Made alike, they are still two keys of the port's table.
    const SerialPacketDescriptor twin(std::string("OK\r\n"), std::string("mine"));
    EXPECT_FALSE(exact == twin);
    EXPECT_NE(std::hash<SerialPacketDescriptor>()(exact), std::hash<SerialPacketDescriptor>()(twin));
    const SerialPacketDescriptor& same = exact;
    EXPECT_TRUE(exact == same);
    EXPECT_EQ(exact.uuid().size(), 36U);
}

TEST(SerialRequest, CarriesItsResponseTestAndDescribesItself) {
    // A test given instead of a descriptor: the response buffer must never trim.
    const auto tested = SerialRequest::requestWithDataToSend(
        std::string("AT\r"), {}, 2.5, [](std::string_view candidate) { return candidate.size() == 2; });
    ASSERT_TRUE(tested->responseDescriptor());
    EXPECT_EQ(tested->responseDescriptor()->maximumPacketLength(), 9223372036854775807ULL);
    EXPECT_TRUE(tested->dataIsValidResponse(std::string("OK")));
    EXPECT_FALSE(tested->dataIsValidResponse(std::string("OK\r")));

    const auto anyResponse =
        SerialRequest::requestWithDataToSend(std::string("AT"), {}, 0, SerialPacketDescriptor::Evaluator());
    EXPECT_TRUE(anyResponse->dataIsValidResponse(std::string("x")));
    EXPECT_FALSE(anyResponse->dataIsValidResponse(std::string("")));

    const auto silent =
        SerialRequest::requestWithDataToSend(std::string("ATZ\r\nAT&F"), std::string("reset"), 1.5,
                                             std::shared_ptr<const SerialPacketDescriptor>());
    EXPECT_TRUE(silent->dataIsValidResponse(std::string("")));
    EXPECT_EQ(silent->UUIDString().size(), 36U);
    EXPECT_NE(silent->UUIDString(), tested->UUIDString());

    const std::string description = silent->description();
    EXPECT_EQ(description.rfind("<SerialRequest: 0x", 0), 0U) << description;
    EXPECT_NE(description.find("> data: <41545a0d 0a415426 46> userInfo: reset timeout interval: 1.500000"),
              std::string::npos)
        << description;
}

TEST(SerialBuffer, KeepsTheNewestBytesUpToItsMaximum) {
    struct Case {
        uint64_t maximum;
        std::vector<std::string> appends;
        std::string kept;
    };
    const std::vector<Case> cases = {
        {4, {"123456"}, "3456"},
        {4, {"12", "34", "5"}, "2345"},
        {4, {"1", "23456789"}, "6789"},
        {0, {"abc", "d"}, ""},
        {static_cast<uint64_t>(std::numeric_limits<int64_t>::max()), {"ab", "cd"}, "abcd"},
    };
    for (const Case& row : cases) {
        SerialBuffer buffer(row.maximum);
        for (const std::string& chunk : row.appends)
            buffer.appendData(chunk);
        EXPECT_EQ(std::string(buffer.data().begin(), buffer.data().end()), row.kept) << row.maximum;
        EXPECT_EQ(buffer.maximumLength(), row.maximum);
    }
}

TEST(SerialBuffer, ObserversHearEveryChangeOfItsData) {
    SerialBuffer buffer(3);
    std::vector<std::string> seen;
    const uint64_t token = buffer.addObserver([&](const std::string& key) {
        seen.push_back(key + "=" + std::string(buffer.data().begin(), buffer.data().end()));
    });
    buffer.appendData(std::string("abcd"));
    buffer.clearBuffer();
    buffer.removeObserver(token);
    buffer.appendData(std::string("x"));
    EXPECT_EQ(seen, (std::vector<std::string>{"data=bcd", "data="}));
}

} // namespace
