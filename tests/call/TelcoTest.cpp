#include "CallFixture.h"

#include "Logic/protocol/CPPNotificationInfo.h"

#include <functional>

namespace {

using Event = std::function<bool(CPPLine&, const CPPConnectionSettings*)>;

class TelcoTest : public CallFixture {
protected:
    void SetUp() override {
        CallFixture::SetUp();
        useTelco();
    }

    // Brings party 1 into the named Telco state the way the box's events do.
    void enter(const std::string& state) {
        m_line = std::make_unique<CPPLine>();
        m_line->reset(false);
        if (state == "INCOMING" || state == "CONNECTED") {
            m_line->onTelcoRing("1", profile());
        }
        if (state == "CONNECTED") {
            m_line->onTelcoHook("1", profile());
        }
        if (state == "DIAL_TONE") {
            m_line->onTelcoHook("1", profile());
        }
        if (state == "DIGIT_COLLECTION") {
            m_line->onTelcoDigitReleased(profile());
        }
        takeSent();
    }
};

Event ring(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoRing(value, settings);
    };
}
Event hook(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoHook(value, settings);
    };
}
Event incoming(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoIncomingCall(value, settings);
    };
}
Event hookInquiry(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoHookInquiry(value, settings);
    };
}
Event callDuration(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoCallDuration(value, settings);
    };
}
Event callerId(const std::string& text) {
    return [text](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoCallerId(text, settings);
    };
}
Event digitsDialed(const std::string& value) {
    return [value](CPPLine& line, const CPPConnectionSettings* settings) {
        return line.onTelcoDigitsDialed(value, settings);
    };
}
Event keyCall(const std::string& number) {
    return [number](CPPLine& line, const CPPConnectionSettings* settings) {
        line.onTelcoKeyCall(number, settings);
        return true;
    };
}
Event digitReleased() {
    return [](CPPLine& line, const CPPConnectionSettings* settings) {
        line.onTelcoDigitReleased(settings);
        return true;
    };
}

struct TelcoCase {
    std::string start;
    std::string event;
    Event run;
    bool result;
    int32_t state;
    int32_t lineState;
    std::vector<std::string> sent;
};

// Each telephone-line event from each state it can meet: the change, the result the parser
// makes its record from, the recomputed line state and the query that follows.
TEST_F(TelcoTest, EventsMovePartyOneAsTheBoxReports) {
    const std::string direction = "INQUIRE DIRECTION";
    const std::string digits = "INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK";
    const std::string offHookDuration = "INQUIRE OFF_HOOK_DURATION";
    const std::vector<TelcoCase> cases = {
        {"IDLE", "RING 1", ring("1"), true, StateId::TELCO_INCOMING, LineState::IN_CALL, {}},
        {"INCOMING", "RING 1 again", ring("1"), false, StateId::TELCO_INCOMING, LineState::IN_CALL, {}},
        {"IDLE", "RING 0", ring("0"), false, StateId::TELCO_IDLE, LineState::IDLE, {}},
        {"IDLE",
         "DIGIT_RELEASED",
         digitReleased(),
         true,
         StateId::TELCO_DIGIT_COLLECTION,
         LineState::COLLECTING_DIGITS,
         {}},
        {"CONNECTED",
         "DIGIT_RELEASED",
         digitReleased(),
         true,
         StateId::TELCO_CONNECTED,
         LineState::IN_CALL,
         {}},
        {"IDLE",
         "KEY_CALL",
         keyCall("555"),
         true,
         StateId::TELCO_DIGIT_COLLECTION,
         LineState::COLLECTING_DIGITS,
         {}},
        {"DIAL_TONE", "KEY_CALL", keyCall("555"), true, StateId::TELCO_CONNECTED, LineState::IN_CALL, {}},
        {"INCOMING", "HOOK 1", hook("1"), true, StateId::TELCO_CONNECTED, LineState::IN_CALL, {}},
        {"DIGIT_COLLECTION", "HOOK 1", hook("1"), true, StateId::TELCO_CONNECTED, LineState::IN_CALL, {}},
        {"IDLE", "HOOK 1", hook("1"), true, StateId::TELCO_DIAL_TONE, LineState::COLLECTING_DIGITS, {}},
        {"DIAL_TONE", "HOOK 1", hook("1"), true, StateId::TELCO_DIAL_TONE, LineState::COLLECTING_DIGITS, {}},
        {"CONNECTED", "HOOK 1", hook("1"), true, StateId::TELCO_DIAL_TONE, LineState::COLLECTING_DIGITS, {}},
        {"CONNECTED", "HOOK 0", hook("0"), true, StateId::TELCO_IDLE, LineState::IDLE, {}},
        {"IDLE", "INCOMING_CALL empty", incoming(""), true, StateId::TELCO_INCOMING, LineState::IN_CALL, {}},
        {"INCOMING", "INCOMING_CALL empty", incoming(""), true, StateId::TELCO_IDLE, LineState::IDLE, {}},
        {"CONNECTED", "INCOMING_CALL empty", incoming(""), true, StateId::TELCO_IDLE, LineState::IDLE, {}},
        {"INCOMING", "INCOMING_CALL 1", incoming("1"), true, StateId::TELCO_INCOMING, LineState::IN_CALL, {}},
        {"INCOMING", "INCOMING_CALL 0", incoming("0"), true, StateId::TELCO_IDLE, LineState::IDLE, {}},
        {"CONNECTED",
         "CALL_DURATION empty",
         callDuration(""),
         true,
         StateId::TELCO_CONNECTED,
         LineState::IN_CALL,
         {direction}},
        {"CONNECTED",
         "CALL_DURATION 65",
         callDuration("65"),
         true,
         StateId::TELCO_IDLE,
         LineState::IDLE,
         {direction}},
        {"IDLE",
         "CALL_DURATION 65",
         callDuration("65"),
         true,
         StateId::TELCO_IDLE,
         LineState::IDLE,
         {direction}},
        {"DIAL_TONE",
         "CALLER_ID",
         callerId("0102 1030 5551234 JOHN"),
         true,
         StateId::TELCO_CONNECTED,
         LineState::IN_CALL,
         {digits}},
        {"DIGIT_COLLECTION",
         "CALLER_ID",
         callerId("0102 1030 5551234"),
         true,
         StateId::TELCO_CONNECTED,
         LineState::IN_CALL,
         {digits}},
        {"INCOMING",
         "CALLER_ID",
         callerId("0102 1030 5551234"),
         true,
         StateId::TELCO_INCOMING,
         LineState::IN_CALL,
         {digits}},
        {"DIAL_TONE",
         "CALLER_ID short",
         callerId("0102 1030"),
         true,
         StateId::TELCO_DIAL_TONE,
         LineState::COLLECTING_DIGITS,
         {}},
        {"IDLE",
         "INQUIRE HOOK 1",
         hookInquiry("1"),
         true,
         StateId::TELCO_DIAL_TONE,
         LineState::COLLECTING_DIGITS,
         {offHookDuration}},
        {"CONNECTED",
         "INQUIRE HOOK 0",
         hookInquiry("0"),
         true,
         StateId::TELCO_IDLE,
         LineState::IDLE,
         {offHookDuration}},
        {"CONNECTED",
         "DIGITS_DIALED 555",
         digitsDialed("555"),
         true,
         StateId::TELCO_DIGIT_COLLECTION,
         LineState::COLLECTING_DIGITS,
         {}},
        {"DIGIT_COLLECTION",
         "DIGITS_DIALED 0",
         digitsDialed("0"),
         true,
         StateId::TELCO_DIGIT_COLLECTION,
         LineState::COLLECTING_DIGITS,
         {}},
    };
    for (const TelcoCase& test : cases) {
        SCOPED_TRACE(test.start + " " + test.event);
        enter(test.start);
        EXPECT_EQ(test.run(*m_line, profile()), test.result);
        EXPECT_EQ(party(1).getState(), test.state);
        EXPECT_EQ(m_line->getLineState(), test.lineState);
        EXPECT_EQ(takeSent(), prefixed(TELCO, test.sent));
        for (int32_t id = 2; id <= 5; ++id) {
            EXPECT_EQ(party(id).getState(), StateId::TELCO_IDLE);
        }
    }
}

// Digit collection ends at exactly 20 whole seconds after the last digit, once; the line
// state is left for the box's next report.
TEST_F(TelcoTest, DigitCollectionTimesOutAtTwentySeconds) {
    enter("IDLE");
    m_line->onTelcoDigitReleased(profile());
    m_clock.advanceSeconds(15);
    m_line->onTelcoDigitReleased(profile());
    m_clock.advanceSeconds(19);
    EXPECT_EQ(m_line->checkDigitCollectionTimeout(), nullptr);
    EXPECT_EQ(party(1).getState(), StateId::TELCO_DIGIT_COLLECTION);
    m_clock.advanceSeconds(1);
    const std::unique_ptr<CPPNotificationInfo> record = m_line->checkDigitCollectionTimeout();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->getNotificationType(), NotificationType::PARTY_STATE);
    EXPECT_EQ(record->getCmdType(), CommandType::RECEIVED);
    EXPECT_EQ(record->getEndPointType(), EndPointType::TELCO_RX);
    EXPECT_EQ(record->getEpn(), "1");
    EXPECT_EQ(record->getBn(), "KEY");
    EXPECT_EQ(record->getPn(), "KEY_DIGIT_RELEASED");
    EXPECT_EQ(record->getPayload(), "");
    EXPECT_EQ(record->getOriginCmd(), "Dummy digit collection timeout");
    EXPECT_EQ(party(1).getState(), StateId::TELCO_CONNECTED);
    EXPECT_EQ(m_line->getLineState(), LineState::COLLECTING_DIGITS);
    EXPECT_EQ(m_line->checkDigitCollectionTimeout(), nullptr);
    EXPECT_EQ(takeSent(), std::vector<std::string>{});
}

// Entering digit collection by a call key or a digits answer starts the 20 seconds afresh.
TEST_F(TelcoTest, EnteringDigitCollectionRestartsTheTimeout) {
    const std::vector<std::pair<std::string, Event>> entries = {
        {"IDLE", keyCall("555")},
        {"CONNECTED", digitsDialed("555")},
        {"IDLE", digitReleased()},
    };
    for (const auto& [start, event] : entries) {
        SCOPED_TRACE(start);
        enter(start);
        m_clock.advanceSeconds(100);
        event(*m_line, profile());
        m_clock.advanceSeconds(19);
        EXPECT_EQ(m_line->checkDigitCollectionTimeout(), nullptr);
        m_clock.advanceSeconds(1);
        EXPECT_NE(m_line->checkDigitCollectionTimeout(), nullptr);
    }
}

// A call that ends while digits are still being collected is not logged.
TEST_F(TelcoTest, CallEndingInDigitCollectionWritesNoRow) {
    enter("IDLE");
    m_line->onTelcoKeyCall("555", profile());
    m_clock.advanceSeconds(5);
    m_line->onTelcoHook("0", profile());
    EXPECT_EQ(party(1).getState(), StateId::TELCO_IDLE);
    EXPECT_EQ(party(1).getCallParty(), "");
    EXPECT_EQ(scalar("select count(*) from CallLog"), "0");
}

TEST_F(TelcoTest, TimeoutOnlyInDigitCollection) {
    for (const std::string state : {"IDLE", "DIAL_TONE", "CONNECTED", "INCOMING"}) {
        SCOPED_TRACE(state);
        enter(state);
        m_clock.advanceSeconds(3600);
        EXPECT_EQ(m_line->checkDigitCollectionTimeout(), nullptr);
    }
}

// The whole answered call: ring, off hook, caller id, then the duration report ends it and
// logs a received call with the box's seconds added.
TEST_F(TelcoTest, AnsweredCallIsLoggedWithTheBoxsDuration) {
    enter("IDLE");
    EXPECT_TRUE(m_line->onTelcoRing("1", profile()));
    m_line->onTelcoHook("1", profile());
    m_line->onTelcoCallerId("0102 1030 5551234 JOHN DOE", profile());
    EXPECT_EQ(party(1).getCallParty(), "5551234");
    EXPECT_EQ(party(1).getDisplayName(), "JOHN DOE ");
    m_clock.advanceSeconds(10);
    m_line->onTelcoCallDuration("65", profile());
    EXPECT_EQ(
        scalar(
            "select callNumber || '|' || callType || '|' || callDuration || '|' || contactName from CallLog"),
        "5551234|0|75|JOHN DOE ");
    EXPECT_EQ(takeSent(), prefixed(TELCO, {"INQUIRE DIGITS_DIALED_SINCE_OFF_HOOK", "INQUIRE DIRECTION"}));
    EXPECT_EQ(party(1).getCurrentState(), party(2).getCurrentState());
}

// The query chain: a hook answer asks for the off-hook time, a direction for the caller id.
// Without a profile nothing is asked.
TEST_F(TelcoTest, QueriesFollowOnlyWithACurrentProfile) {
    enter("IDLE");
    m_line->onTelcoHookInquiry("1", profile());
    EXPECT_TRUE(m_line->onTelcoOffHookDuration("42"));
    EXPECT_EQ(party(1).getActiveDuration(), 42);
    EXPECT_TRUE(m_line->onTelcoDirection("2", profile()));
    EXPECT_EQ(party(1).getDirection(), 2);
    EXPECT_EQ(takeSent(), prefixed(TELCO, {"INQUIRE OFF_HOOK_DURATION", "INQUIRE CALLER_ID"}));
    m_line->onTelcoDirection("1", nullptr);
    m_line->onTelcoCallerId("A B 555", nullptr);
    m_line->onTelcoCallDuration("", nullptr);
    m_line->onTelcoHookInquiry("0", nullptr);
    EXPECT_EQ(takeSent(), std::vector<std::string>{});
}

// Digits reported after more than 20 seconds off hook put the call through, restarting its
// start; "0" connects without storing a number.
TEST_F(TelcoTest, DigitsDialedAfterTwentySecondsOffHookConnect) {
    enter("CONNECTED");
    m_line->onTelcoOffHookDuration("25");
    const std::time_t connectedAt = party(1).getStartTime();
    m_clock.advanceSeconds(30);
    m_line->onTelcoDigitsDialed("555", profile());
    EXPECT_EQ(party(1).getState(), StateId::TELCO_CONNECTED);
    EXPECT_EQ(party(1).getStatePre(), StateId::TELCO_DIGIT_COLLECTION);
    EXPECT_EQ(party(1).getStartTime(), connectedAt + 30);
    EXPECT_EQ(party(1).getCallParty(), "555");

    enter("DIGIT_COLLECTION");
    m_line->onTelcoKeyCall("777", profile());
    m_line->onTelcoOffHookDuration("21");
    m_line->onTelcoDigitsDialed("0", profile());
    EXPECT_EQ(party(1).getState(), StateId::TELCO_CONNECTED);
    EXPECT_EQ(party(1).getCallParty(), "777");
}

// Telco parties all answer in their own way: party 2 takes a dial that party 1, collecting
// digits, refuses; the hook flash goes to party 1 in every state.
TEST_F(TelcoTest, ActionsOnATelcoLine) {
    enter("DIGIT_COLLECTION");
    m_line->dial(profile(), "123");
    m_line->hookFlash(profile());
    m_line->sendDigit(profile(), false, "4");
    m_line->endCall(1, profile());
    m_line->answer(1, profile());
    EXPECT_EQ(takeSent(), prefixed(TELCO, {"KEY KEY_CALL 123", "KEY KEY_HOOK_FLASH",
                                           "KEY KEY_DIGIT_RELEASED 4", "KEY KEY_HOOK 0"}));
    enter("INCOMING");
    m_line->answer(1, profile());
    m_line->offHook(profile());
    EXPECT_EQ(takeSent(), prefixed(TELCO, {"KEY KEY_HOOK 1", "KEY KEY_HOOK 1"}));
}

} // namespace
