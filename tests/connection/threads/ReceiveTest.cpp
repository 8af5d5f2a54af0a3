#include "connection/LinkFixture.h"

#include "Logic/protocol/CommandParser.h"

#include <random>

namespace {

using fakebox::FakeBox;
using fakebox::FakeBoxScript;

// A box that logs in and then answers nothing, so every record comes from what the test sends.
FakeBoxScript quietBox() {
    FakeBoxScript script;
    script.replies.clear();
    return script;
}

class Receive : public LinkFixture {
protected:
    // The records made from received lines (they carry the line), in order.
    static std::vector<CapturedRecord> lineRecords(const std::vector<CapturedRecord>& records) {
        std::vector<CapturedRecord> parsed;
        for (const CapturedRecord& record : records) {
            if (!record.originCmd.empty())
                parsed.push_back(record);
        }
        return parsed;
    }
    std::vector<CapturedRecord> lineRecords() const { return lineRecords(m_listener.records()); }
    bool waitForLineRecords(size_t count) {
        return m_listener.waitFor([&](const auto& all) { return lineRecords(all).size() >= count; }, SOON);
    }
};

// A line is processed as soon as its line end arrives; a line split across reads is joined;
// another endpoint's line makes nothing; a lone byte is data, at the head or end of a line.
TEST_F(Receive, LinesAreCutAcrossReadsAndKeptForTheirEndpoint) {
    FakeBox box(quietBox());
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));

    box.send("EP UA 1 SETTINGS DISPLAY_NAME Front Desk\r\n");
    ASSERT_TRUE(waitForLineRecords(1));
    EXPECT_EQ(lineRecords().back(), (CapturedRecord{3, 1, 20, "SETTINGS", "1", "DISPLAY_NAME", "FRONT DESK",
                                                    "EP UA 1 SETTINGS DISPLAY_NAME FRONT DESK"}));

    box.sendChunks({"EP UA 1 NOTIFICATION STA", "TE_CHANGE PL 2;INCOMING:200:0:0\r\n=> "}, 50ms);
    ASSERT_TRUE(waitForLineRecords(2));
    EXPECT_EQ(lineRecords().back().pn, "STATE_CHANGE");
    EXPECT_EQ(lineRecords().back().payload, "2;INCOMING:200:0:0");

    box.send("EP UA 2 NOTIFICATION STATE_CHANGE PL 3;INCOMING:300:0:0\r\n");
    box.sendChunks({"X", "EP UA 1 SETTINGS DISPLAY_NAME Lobby\r\n"}, 50ms);
    ASSERT_TRUE(waitForLineRecords(3));
    EXPECT_EQ(lineRecords().back().originCmd, "XEP UA 1 SETTINGS DISPLAY_NAME LOBBY");

    // A single byte alone in its read, here the end of a line whose rest was read already.
    box.send("EP UA 1 SETTINGS DISPLAY_NAME One\r\nEP UA 1 SETTINGS DISPLAY_NAME Two\r");
    ASSERT_TRUE(waitForLineRecords(4));
    box.send("\n");
    ASSERT_TRUE(waitForLineRecords(5));
    EXPECT_EQ(lineRecords().back().payload, "TWO");
    EXPECT_TRUE(noRecordFor(QUIET));
    EXPECT_TRUE(m_device->isConnected());
    EXPECT_EQ(box.connectionCount(), 1);
}

// Bytes that are no protocol at all, before and after the login, make no record and take
// nothing down; a line too long to keep is dropped with one log line per cut, and the next
// reply still arrives.
TEST_F(Receive, GarbageAndOverlongLinesNeitherCrashNorStall) {
    FakeBoxScript script = quietBox();
    script.silent = true;
    FakeBox box(script);
    connect(profileP(box.port()));
    ASSERT_TRUE(box.waitForConnections(1, SOON));

    std::mt19937 random(8);
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage.push_back(static_cast<char>(random() % 256));
    // Nothing in it may read as a login answer; what is left of it must not either.
    for (const char* word : {"=>", "Invalid", "Username:", "Password:", "Level:", "Too many"}) {
        for (size_t at = garbage.find(word); at != std::string::npos; at = garbage.find(word))
            garbage[at] = '.';
    }
    box.send("Username: ");
    ASSERT_TRUE(box.waitForLine("admin", SOON));
    // Each read is cut at its first NUL, however the bytes fall into reads. The prompts that
    // follow outlast the longest read that can hold the last NUL, so a later read has one whole.
    std::string prompts;
    for (int i = 0; i < 100; ++i)
        prompts += "=> ";
    box.send(garbage + std::string("\0\xFF\r\n", 4) + prompts);
    ASSERT_TRUE(waitForLoginPass(1));

    box.send(garbage + std::string("\0=>\xFF\r\n=>\r\n", 9) + "EP UA 1 NOTIFICATION\xC3 STATE\r\n");
    // Over the kept tail's bound by more than a read, so it is cut; under twice the bound less
    // the garbage's own tail, so only once.
    box.send(std::string(CommandParser::MAX_RECEIVED_TAIL_BYTES * 3 / 2, 'A'));
    box.send("\r\nEP UA 1 SETTINGS DISPLAY_NAME After\r\n");
    ASSERT_TRUE(waitForLineRecords(1));
    EXPECT_EQ(lineRecords(), (std::vector<CapturedRecord>{{3, 1, 20, "SETTINGS", "1", "DISPLAY_NAME", "AFTER",
                                                           "EP UA 1 SETTINGS DISPLAY_NAME AFTER"}}));
    const auto outLines = m_log.outLines();
    EXPECT_EQ(std::count_if(outLines.begin(), outLines.end(),
                            [](const auto& line) { return line.rfind("Dropped ", 0) == 0; }),
              1);
    EXPECT_TRUE(m_device->isConnected());
    EXPECT_EQ(box.connectionCount(), 1);
}

// The forwarding target alternates with the line's name at most every 4 s while forwarding is
// on; clearing it shows the name once more and stops.
TEST_F(Receive, ForwardingDisplayAlternatesWhileForwarding) {
    FakeBox box(quietBox());
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    box.send("EP UA 1 SETTINGS DISPLAY_NAME Desk\r\n"
             "EP UA 1 INQUIRE_RESULT CFW_STATUS ACTIVE;CFW-UNCONDITIONAL;SIP:300@PBX\r\n");
    ASSERT_TRUE(waitForCount("CFW_STATUS", 1));
    const auto displaysIn = [](const std::vector<CapturedRecord>& records) {
        std::vector<std::string> shown;
        for (const CapturedRecord& record : records) {
            if (record.bn == "SETTINGS" && record.epn == "1" && !record.payload.empty())
                shown.push_back(record.pn + " " + record.payload);
        }
        return shown;
    };
    const auto displays = [&] { return displaysIn(m_listener.records()); };
    const auto waitForDisplays = [&](size_t count) {
        return m_listener.waitFor([&](const auto& all) { return displaysIn(all).size() >= count; }, SOON);
    };
    m_clock.advanceSeconds(3);
    EXPECT_TRUE(noRecordFor(QUIET));
    m_clock.advanceSeconds(1);
    ASSERT_TRUE(waitForDisplays(2));
    m_clock.advanceSeconds(4);
    ASSERT_TRUE(waitForDisplays(3));
    EXPECT_EQ(displays(), (std::vector<std::string>{"DISPLAY_NAME DESK", "DISABLE DESK", "ENABLE 300"}));

    box.send("EP UA 1 INQUIRE_RESULT CFW_STATUS INACTIVE\r\n");
    ASSERT_TRUE(waitForDisplays(4));
    m_clock.advanceSeconds(4);
    EXPECT_TRUE(noRecordFor(QUIET));
    EXPECT_EQ(displays().back(), "DISABLE DESK");
}

// A keep-alive goes out 15 s after the connect, led by the registration query until the box
// reports a registration; answered keep-alives keep the link up.
TEST_F(Receive, KeepAliveEveryFifteenSecondsKeepsTheLinkUp) {
    FakeBoxScript script;
    script.replies = {{"EP UA 1 SETTINGS DISPLAY_NAME", {"EP UA 1 SETTINGS DISPLAY_NAME Desk"}}};
    FakeBox box(script);
    ASSERT_NO_FATAL_FAILURE(connectAndLogIn(box));
    const auto keepAlives = [&] {
        std::vector<std::string> lines = box.lines(1);
        lines.erase(lines.begin(), lines.begin() + 15);
        return lines;
    };
    m_clock.advanceSeconds(14);
    EXPECT_TRUE(box.expectNothingWithin(QUIET));
    m_clock.advanceSeconds(1);
    ASSERT_TRUE(box.waitForLine("EP UA 1 SETTINGS DISPLAY_NAME", SOON, 2));
    EXPECT_EQ(keepAlives(),
              (std::vector<std::string>{"EP UA 1 INQUIRE REG_STATUS", "EP UA 1 SETTINGS DISPLAY_NAME"}));

    box.send("EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY\r\n");
    ASSERT_TRUE(waitForCount("REG_STATUS", 1));
    for (int round = 3; round <= 6; ++round) {
        m_clock.advanceSeconds(15);
        ASSERT_TRUE(box.waitForLine("EP UA 1 SETTINGS DISPLAY_NAME", SOON, round));
    }
    EXPECT_EQ(box.lines(1).size(), 15u + 6u);
    EXPECT_TRUE(m_device->isConnected());
    EXPECT_EQ(box.connectionCount(), 1);
}

// A Telco digit collection left for 20 s is ended by the periodic work, once.
TEST_F(Receive, TelcoDigitCollectionTimesOutOnce) {
    FakeBox box(quietBox());
    CPPConnectionSettings settings = profileP(box.port());
    settings.setPhoneType(PhoneType::TELCO);
    connect(settings);
    ASSERT_TRUE(waitForCount("LOGIN_SUCCESS", 1));
    box.send("EP TELCO_RX 1 KEY KEY_DIGIT_RELEASED 5\r\n");
    // The line changes before the line's record is shown: wait for the record, the last of both.
    ASSERT_TRUE(waitForLineRecords(1));
    ASSERT_EQ(CPPLine::getInstance().getLineParties().at(1).getState(), StateId::TELCO_DIGIT_COLLECTION);
    m_clock.advanceSeconds(19);
    EXPECT_TRUE(noRecordFor(QUIET));
    m_clock.advanceSeconds(1);
    const CapturedRecord timeout{
        4, 1, 3, "KEY", "1", "KEY_DIGIT_RELEASED", "", "Dummy digit collection timeout"};
    ASSERT_TRUE(m_listener.waitFor(
        [&](const auto& all) { return std::find(all.begin(), all.end(), timeout) != all.end(); }, SOON));
    EXPECT_TRUE(noRecordFor(QUIET));
    const auto all = m_listener.records();
    EXPECT_EQ(std::count(all.begin(), all.end(), timeout), 1);
}

} // namespace
