#include "ProtocolFixture.h"

#include "Logic/call/CPPStateRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TelcoParser : public ProtocolFixture {
protected:
    void SetUp() override {
        ProtocolFixture::SetUp();
        use(telcoProfile());
    }

    static CPPLineParty firstParty() { return CPPLine::getInstance().getLineParties().at(1); }
};

// A whole call on the telephone line: ring, off hook, caller ID, then the duration ends it
// and writes a Received entry. Each inquiry the line asks for goes out before the record.
TEST_F(TelcoParser, RingAnswerCallerIdAndDurationLogTheCall) {
    const std::string ring = "EP TELCO_RX 2 NOTIFICATION RING 1";
    EXPECT_EQ(record(ring), (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED,
                                            EndPointType::TELCO_RX, "NOTIFICATION", "2", "RING", "1", ring}));
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_INCOMING);
    EXPECT_EQ(process(ring), nullptr);

    EXPECT_EQ(record("EP TELCO_RX 2 NOTIFICATION HOOK 1").pn, "HOOK");
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_CONNECTED);
    EXPECT_EQ(firstParty().getCallType(), CallType::RECEIVED);

    EXPECT_EQ(record("EP TELCO_RX 2 NOTIFICATION CALLER_ID 0102 1030 5551234 JOHN DOE").payload,
              "0102 1030 5551234 JOHN DOE");
    EXPECT_EQ(firstParty().getCallParty(), "5551234");
    EXPECT_EQ(firstParty().getDisplayName(), "JOHN DOE ");
    EXPECT_EQ(m_bridge.sentLines(),
              std::vector<std::string>{"EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK"});

    m_clock.advanceSeconds(10);
    m_bridge.clear();
    EXPECT_EQ(record("EP TELCO_RX 2 NOTIFICATION CALL_DURATION 65").payload, "65");
    EXPECT_EQ(m_bridge.sentLines(), std::vector<std::string>{"EP TELCO_RX 2 INQUIRE DIRECTION"});
    EXPECT_EQ(select("select callNumber, callType, callDuration, contactName from CallLog"),
              (Rows{Row{{"callNumber", "5551234"},
                        {"callType", "0"},
                        {"callDuration", "75"},
                        {"contactName", "JOHN DOE "}}}));
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_IDLE);
}

// Every Telco line yields one record of type 4 for the Telco endpoint, with the parser's own
// words whatever form the line had; incoming-call and duration values are trimmed.
TEST_F(TelcoParser, EveryLineGivesItsOwnRecord) {
    struct Case {
        std::string line;
        std::string bn;
        std::string pn;
        std::string payload;
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases = {
        {"EP TELCO_RX 2 KEY KEY_CALL 555", "KEY", "KEY_CALL", "555", {}},
        {"EP TELCO_RX 2 KEY KEY_DIGIT_RELEASED 5", "KEY", "KEY_DIGIT_RELEASED", "5", {}},
        {"EP TELCO_RX 2 NOTIFICATION INCOMING_CALL   1  ", "NOTIFICATION", "INCOMING_CALL", "1", {}},
        {"EP TELCO_RX 2 NOTIFICATION INCOMING_CALL", "NOTIFICATION", "INCOMING_CALL", "", {}},
        {"EP TELCO_RX 2 NOTIFICATION HOOK 0", "NOTIFICATION", "HOOK", "0", {}},
        {"EP TELCO_RX 2 NOTIFICATION CALL_DURATION",
         "NOTIFICATION",
         "CALL_DURATION",
         "",
         {"EP TELCO_RX 2 INQUIRE DIRECTION"}},
        // Fewer than three words: nothing for the party, so nothing asked either.
        {"EP TELCO_RX 2 NOTIFICATION CALLER_ID 1 2", "NOTIFICATION", "CALLER_ID", "1 2", {}},
        {"EP TELCO_RX 2 INQUIRE CALLER_ID 1 2 555",
         "NOTIFICATION",
         "CALLER_ID",
         "1 2 555",
         {"EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK"}},
        {"EP TELCO_RX 2 INQUIRE HOOK 1", "INQUIRE", "HOOK", "1", {"EP TELCO_RX 2 INQUIRE OFF_HOOK_DURATION"}},
        {"EP TELCO_RX 2 INQUIRE OFF_HOOK_DURATION 25", "INQUIRE", "OFF_HOOK_DURATION", "25", {}},
        {"EP TELCO_RX 2 INQUIRE DIRECTION 1",
         "INQUIRE",
         "DIRECTION",
         "1",
         {"EP TELCO_RX 2 INQUIRE CALLER_ID"}},
        {"EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK 0",
         "INQUIRE",
         "DIGITS_DIALED_SINCE_OFF_HOOK",
         "0",
         {}},
        {"EP 3 2 3 6 7", "KEY", "KEY_DIGIT_RELEASED", "7", {}},
        {"EP 3 2 4 4 1", "NOTIFICATION", "INCOMING_CALL", "", {}},
    };
    for (const Case& row : cases) {
        for (int repeat = 0; repeat < 2; ++repeat) {
            use(telcoProfile());
            m_bridge.clear();
            const CapturedRecord result = record(row.line);
            EXPECT_EQ(result, (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED,
                                              EndPointType::TELCO_RX, row.bn, result.epn, row.pn, row.payload,
                                              row.line}))
                << row.line;
            EXPECT_EQ(m_bridge.sentLines(), row.sent) << row.line;
        }
    }
}

// The numeric key-call and caller-ID forms are taken by earlier rows, which find nothing.
TEST_F(TelcoParser, NumericFormsLostToEarlierRows) {
    EXPECT_EQ(process("EP 3 2 3 1 201"), nullptr);
    EXPECT_EQ(process("EP 3 2 4 3 201"), nullptr);
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_IDLE);
    EXPECT_EQ(firstParty().getCallParty(), "");
    // INCOMING_CALL's numeric row comes first for this HOOK line: an empty value toggles.
    EXPECT_EQ(record("EP 3 2 4 4 1").epn, "2 4");
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_INCOMING);
    // RING needs a value.
    EXPECT_EQ(process("EP TELCO_RX 2 NOTIFICATION RING"), nullptr);
}

// Telco lines on any profile but a Telco one are dropped by the gate, for every gated handler;
// the call duration alone passes. On the VoIP profile the UA lines reach the gate, on the
// others the TELCO_RX lines.
TEST_F(TelcoParser, OnlyATelcoProfilePassesTheGate) {
    const std::vector<std::string> gated = {"KEY KEY_CALL 555",
                                            "KEY KEY_DIGIT_RELEASED 5",
                                            "NOTIFICATION RING 1",
                                            "NOTIFICATION INCOMING_CALL 1",
                                            "NOTIFICATION HOOK 1",
                                            "NOTIFICATION CALLER_ID 0102 1030 5551234",
                                            "INQUIRE HOOK 1",
                                            "INQUIRE OFF_HOOK_DURATION 25",
                                            "INQUIRE DIRECTION 1",
                                            "INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK 555",
                                            "INQUIRE CALLER_ID 0102 1030 5551234"};
    for (int32_t phoneType : {1, 0, 3}) {
        CPPConnectionSettings settings = telcoProfile();
        settings.setPhoneType(phoneType);
        use(settings);
        for (const char* prefix : {"EP UA 2 ", "EP TELCO_RX 2 "}) {
            for (const std::string& text : gated)
                EXPECT_EQ(process(prefix + text), nullptr) << phoneType << " " << prefix << text;
        }
        EXPECT_EQ(firstParty().getState(), StateId::TELCO_IDLE);
        EXPECT_TRUE(m_bridge.sent().empty());
    }
}

// The profile the processor is given decides the whole line, whatever profile the device
// object holds meanwhile: the gate, the follow-up inquiry's address and the idle state the
// ended call returns to.
TEST_F(TelcoParser, TheProcessorsProfileDecidesTheWholeLine) {
    const CPPConnectionSettings telco = telcoProfile();
    const CPPConnectionSettings voip = voipProfile();
    m_device->setCurrentConnectionSettings(std::make_shared<const CPPConnectionSettings>(voip));
    EXPECT_NE(m_parser.processReceivedLine("EP TELCO_RX 2 NOTIFICATION RING 1", &telco), nullptr);
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_INCOMING);
    EXPECT_NE(m_parser.processReceivedLine("EP TELCO_RX 2 NOTIFICATION CALLER_ID 0102 1030 555", &telco),
              nullptr);
    EXPECT_EQ(m_bridge.sentLines(),
              std::vector<std::string>{"EP TELCO_RX 2 INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK"});
    EXPECT_NE(m_parser.processReceivedLine("EP TELCO_RX 2 NOTIFICATION INCOMING_CALL 0", &telco), nullptr);
    EXPECT_EQ(firstParty().getCurrentState(), CPPStateRegistry::getInstance().getTelcoIdleState());

    m_device->setCurrentConnectionSettings(std::make_shared<const CPPConnectionSettings>(telco));
    EXPECT_EQ(m_parser.processReceivedLine("EP UA 1 NOTIFICATION RING 1", &voip), nullptr);
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_IDLE);
}

// A VoIP profile still parses the call duration: a running party 1 ends as if the telephone
// line had hung up, and the direction inquiry goes out.
TEST_F(TelcoParser, CallDurationHasNoGate) {
    use(voipProfile());
    ASSERT_NE(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;ACTIVE:201:5:0"), nullptr);
    m_bridge.clear();
    const std::string duration = "EP UA 1 NOTIFICATION CALL_DURATION 00:01:05";
    EXPECT_EQ(record(duration),
              (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED, EndPointType::TELCO_RX,
                              "NOTIFICATION", "UA 1", "CALL_DURATION", "00:01:05", duration}));
    EXPECT_EQ(firstParty().getState(), StateId::TELCO_IDLE);
    EXPECT_EQ(firstParty().getActiveDuration(), 0);
    EXPECT_EQ(m_bridge.sentLines(), std::vector<std::string>{"EP UA 1 INQUIRE DIRECTION"});
    EXPECT_EQ(scalar("select callNumber from CallLog"), "201");
}

TEST_F(TelcoParser, LocalNumberIsReportedAsTheDisplayName) {
    const std::string number = "EP TELCO_RX 2 SETTINGS LOCAL_NUMBER 5550100";
    EXPECT_EQ(record(number),
              (CapturedRecord{NotificationType::LINE_NAME, CommandType::RECEIVED, EndPointType::UA,
                              "SETTINGS", "2", "DISPLAY_NAME", "5550100", number}));
    EXPECT_EQ(process(number), nullptr);
}

} // namespace
