#include "ProtocolFixture.h"
#include "support/fakebox/FakeBoxUsage.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using VoipParser = ProtocolFixture;

CPPLineParty party(int32_t id) {
    return CPPLine::getInstance().getLineParties().at(id);
}

// A record only for a change, so a repeated notification reaches the interface once.
TEST_F(VoipParser, StateChangesUpdateThePartyOnce) {
    const std::string ringing = "ep ua 1 notification state_change pl 2;ringing:5551234";
    EXPECT_EQ(record(ringing),
              (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED, EndPointType::UA,
                              "NOTIFICATION", "1", "STATE_CHANGE", "2;RINGING:5551234",
                              "EP UA 1 NOTIFICATION STATE_CHANGE PL 2;RINGING:5551234"}));
    EXPECT_EQ(party(2).getState(), StateId::RINGING);
    EXPECT_EQ(party(2).getCallParty(), "5551234");
    EXPECT_EQ(process(ringing), nullptr);

    // The party field runs to the last ";": "2;ACTIVE" reads as party 2 in state "201".
    EXPECT_EQ(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 2;ACTIVE;201"), nullptr);
    EXPECT_EQ(party(2).getState(), StateId::RINGING);

    EXPECT_EQ(record("EP 20 1 4 1 PL 1;INCOMING:\"ANN\" <SIP:201@PBX>").payload,
              "1;INCOMING:\"ANN\" <SIP:201@PBX>");
    EXPECT_EQ(party(1).getDisplayName(), "ANN");
    EXPECT_EQ(party(1).getCallParty(), "201@PBX");
}

// A Latin-1 name from the box ("Zoë" with the byte 0xEB) kept raw would put bytes that are no
// text into the party, the record, the call log and the window.
TEST_F(VoipParser, TextThatIsNotUtf8IsReadAsLatin1) {
    const CapturedRecord made =
        record("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"Zo\xEB \xC3\xA9\" <SIP:201@PBX>");
    EXPECT_EQ(made.payload, "1;INCOMING:\"ZO\xC3\xAB \xC3\xA9\" <SIP:201@PBX>");
    EXPECT_EQ(made.originCmd, "EP UA 1 NOTIFICATION STATE_CHANGE PL " + made.payload);
    EXPECT_EQ(party(1).getDisplayName(), "ZO\xC3\xAB \xC3\xA9");
    EXPECT_EQ(m_parser.makeConnectionNotification("LOGIN_FAILED", "Login failed: \xD6")->getPayload(),
              "Login failed: \xC3\x96");
}

// The first matching row decides even when its handler has nothing to say.
TEST_F(VoipParser, AnEarlierRowThatFindsNothingEndsTheWalk) {
    EXPECT_EQ(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"ROOM 3 1 A\" <SIP:201@PBX>"),
              nullptr);
    EXPECT_EQ(party(1).getState(), StateId::IDLE);
    EXPECT_EQ(line().getSipProxyStatus(), CPPLine::SIP_PROXY_NOT_REPORTED);
}

// Groups are cut whole, however long: no fixed buffer clips a name or a target.
TEST_F(VoipParser, LongGroupsStayWhole) {
    const std::string name(600, 'N');
    EXPECT_NE(process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"" + name + "\" <SIP:201@PBX>"),
              nullptr);
    EXPECT_EQ(party(1).getDisplayName(), name);

    const std::string host(700, 'H');
    EXPECT_NE(process("EP UA 1 NOTIFICATION MESSAGE CALL_FORWARD_ACTIVATION;CFW-BUSY;SIP:400@" + host),
              nullptr);
    EXPECT_EQ(line().getCallForwardingNumber(), "400@" + host);
    EXPECT_EQ(line().getCallForwardingUserPart(), "400");
}

// A thread running in a UTF-8 locale still matches bytes that are no valid UTF-8.
TEST_F(VoipParser, MatchingIgnoresTheThreadsLocale) {
    const locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    ASSERT_NE(utf8, static_cast<locale_t>(nullptr));
    bool recorded = false;
    std::thread reader([&] {
        const locale_t previous = uselocale(utf8);
        recorded =
            process("EP UA 1 NOTIFICATION STATE_CHANGE PL 1;INCOMING:\"J\xC9R\xD4ME\" <SIP:201@PBX>") !=
            nullptr;
        uselocale(previous);
    });
    reader.join();
    freelocale(utf8);
    EXPECT_TRUE(recorded);
    EXPECT_EQ(party(1).getDisplayName(), "J\xC3\x89R\xC3\x94ME");
    EXPECT_EQ(party(1).getCallParty(), "201@PBX");
}

TEST_F(VoipParser, RegistrationAndDisplayNameReportChangesOnly) {
    const std::string registered = "EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY";
    EXPECT_EQ(record(registered),
              (CapturedRecord{NotificationType::REGISTRATION, CommandType::RECEIVED, EndPointType::UA,
                              "INQUIRE_RESULT", "1", "REG_STATUS", "REGISTERED_PRIMARY", registered}));
    EXPECT_EQ(line().getSipProxyStatus(), CPPLine::REGISTERED_PRIMARY);
    EXPECT_EQ(process(registered), nullptr);
    EXPECT_EQ(process("EP UA 1 INQUIRE_RESULT REG_STATUS FOO"), nullptr);
    EXPECT_EQ(line().getSipProxyStatus(), CPPLine::REGISTERED_PRIMARY);
    // The numeric form gives the same words.
    EXPECT_EQ(record("EP 20 1 3 1 NOT_REGISTERED").pn, "REG_STATUS");

    EXPECT_EQ(record("EP UA 1 SETTINGS DISPLAY_NAME LOBBY").payload, "LOBBY");
    EXPECT_EQ(process("EP 20 1 6 7 LOBBY"), nullptr);
    EXPECT_EQ(line().getDisplayName(), "LOBBY");
}

TEST_F(VoipParser, ActivePartiesUpdateEveryParty) {
    const std::string answer = "EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES IDLE;ACTIVE:201:30:0;IDLE;IDLE;IDLE;";
    EXPECT_EQ(record(answer), (CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED,
                                              EndPointType::UA, "INQUIRE_RESULT", "1", "ACTIVE_PARTIES",
                                              "IDLE;ACTIVE:201:30:0;IDLE;IDLE;IDLE;", answer}));
    EXPECT_EQ(party(2).getState(), StateId::ACTIVE);
    EXPECT_EQ(party(2).getActiveDuration(), 30);
    EXPECT_EQ(process(answer), nullptr);
    // A change in an early party does not spare the later ones their update.
    EXPECT_NE(process("EP UA 1 INQUIRE_RESULT ACTIVE_PARTIES IDLE;IDLE;IDLE;IDLE;RINGING;"), nullptr);
    EXPECT_EQ(party(2).getState(), StateId::IDLE);
    EXPECT_EQ(party(5).getState(), StateId::RINGING);
}

TEST_F(VoipParser, ForwardingStatusAndMessagesFollowTheType) {
    EXPECT_EQ(record("EP UA 1 INQUIRE_RESULT CFW_STATUS ACTIVE;CFW-BUSY;SIP:300@PBX").notificationType, 5);
    EXPECT_EQ(line().getCallForwardingType(), CPPLine::CFW_BUSY);
    EXPECT_EQ(line().getCallForwardingNumber(), "300@PBX");
    EXPECT_EQ(line().getCallForwardingUserPart(), "300");

    const std::string off = "EP UA 1 NOTIFICATION MESSAGE CALL_FORWARD_DEACTIVATION";
    EXPECT_EQ(record(off),
              (CapturedRecord{NotificationType::CALL_FORWARDING, CommandType::RECEIVED, EndPointType::UA,
                              "NOTIFICATION", "1", "MESSAGE", "CALL_FORWARD_DEACTIVATION", off}));
    EXPECT_EQ(line().getCallForwardingType(), CPPLine::CFW_NONE);
    EXPECT_EQ(line().getCallForwardingNumber(), "");
    EXPECT_EQ(line().getCallForwardingUserPart(), "300");

    // Already off: no record, yet the number is cleared again.
    line().setCallForwardingNumber("left");
    EXPECT_EQ(process(off), nullptr);
    EXPECT_EQ(line().getCallForwardingNumber(), "");

    struct Case {
        std::string message;
        bool recorded;
        CPPLine::CalFWType type;
        std::string number;
        std::string userPart;
    };
    const std::vector<Case> cases = {
        {"CALL_FORWARD_ACTIVATION;CFW-UNCONDITIONAL", true, CPPLine::CFW_UNCONDITIONAL, "", "300"},
        {"CALL_FORWARD_ACTIVATION;CFW-UNCONDITIONAL;SIP:400@PBX", false, CPPLine::CFW_UNCONDITIONAL,
         "400@PBX", "400"},
        {"CALL_FORWARD_ACTIVATION;CFW-NO_REPLY;500", true, CPPLine::CFW_NO_REPLY, "500", "500"},
        {";;CALL_FORWARD_ACTIVATION;;CFW-BUSY;;600@HOST;", true, CPPLine::CFW_BUSY, "600@HOST", "600"},
        {"CALL_FORWARD_ACTIVATION;CFW-BUSY;:::", false, CPPLine::CFW_BUSY, "600@HOST", "600"},
        {"CALL_FORWARD_ACTIVATION;CFW-WHATEVER;SIP:700@H", false, CPPLine::CFW_BUSY, "700@H", "700"},
        {"CALL_FORWARD_ACTIVATION", false, CPPLine::CFW_BUSY, "700@H", "700"},
        {"SOMETHING_ELSE;CFW-NONE", false, CPPLine::CFW_BUSY, "700@H", "700"},
        {";;;", false, CPPLine::CFW_BUSY, "700@H", "700"},
    };
    for (const Case& row : cases) {
        const auto result = process("EP UA 1 NOTIFICATION MESSAGE " + row.message);
        EXPECT_EQ(result != nullptr, row.recorded) << row.message;
        if (result) {
            EXPECT_EQ(result->getPayload(), row.message);
        }
        EXPECT_EQ(line().getCallForwardingType(), row.type) << row.message;
        EXPECT_EQ(line().getCallForwardingNumber(), row.number) << row.message;
        EXPECT_EQ(line().getCallForwardingUserPart(), row.userPart) << row.message;
    }
}

// Error lines become records; the forwarding error message is never set by them.
TEST_F(VoipParser, ErrorLinesAreReportedOnly) {
    const std::string active = "EP UA 1 NOTIFICATION ERROR CALL_FORWARD_ACTIVATION;X ERROR_CALL_ACTIVE Y";
    EXPECT_EQ(record(active), (CapturedRecord{NotificationType::CALL_FORWARDING_ERROR, CommandType::RECEIVED,
                                              EndPointType::UA, "NOTIFICATION", "1", "ERROR",
                                              "CALL_FORWARD_ACTIVATION;X ERROR_CALL_ACTIVE Y", active}));
    EXPECT_EQ(
        record("EP 20 1 4 4 CALL_FORWARD_ACTIVATION;ERROR_FORWARD_ACTIVE_OR_INITIATED").notificationType, 6);
    EXPECT_EQ(process("EP UA 1 NOTIFICATION ERROR CALL_FORWARD_ACTIVATION;BUSY"), nullptr);
    EXPECT_EQ(line().getCallForwardingErrorMessage(), "");

    EXPECT_EQ(record("EP UA 1 ERROR ERR_INFO 12 BAD"),
              (CapturedRecord{NotificationType::ERROR_INFO, CommandType::RECEIVED, EndPointType::UA, "ERROR",
                              "1", "ERR_INFO", "12 BAD", "EP UA 1 ERROR ERR_INFO 12 BAD"}));
    // Every time, not only on a change.
    EXPECT_NE(process("EP UA 1 ERROR ERR_INFO 12 BAD"), nullptr);
}

TEST_F(VoipParser, DoNotDisturbReportsModeChanges) {
    const std::string reject = "EP UA 1 INQUIRE_RESULT DND_STATUS DND_CALL_REJECT";
    EXPECT_EQ(record(reject),
              (CapturedRecord{NotificationType::DO_NOT_DISTURB, CommandType::CORE, EndPointType::UA,
                              "NOTIFICATION", "", "DND_CALL_REJECT", reject, ""}));
    EXPECT_EQ(line().getDoNotDisturbState(), 2);
    EXPECT_EQ(process(reject), nullptr);
    EXPECT_EQ(process("EP UA 1 INQUIRE_RESULT DND_STATUS SOMETHING"), nullptr);
    EXPECT_EQ(record("EP UA 1 INQUIRE_RESULT DND_STATUS DND_NOT_SET").pn, "DND_NOT_SET");
    EXPECT_EQ(line().getDoNotDisturbState(), 0);
    // Availability words never touch the mode.
    EXPECT_EQ(record("EP UA 1 INQUIRE_RESULT DND_STATUS ENABLE").pn, "ENABLE");
    EXPECT_EQ(line().getDoNotDisturbState(), 0);
}

TEST_F(VoipParser, RedialKeysMarkTheNextCallEnd) {
    EXPECT_EQ(process("EP UA 1 KEY KEY_REDIAL 55"), nullptr);
    EXPECT_TRUE(m_device->isRedialPending());
    m_device->setRedialPending(false);
    use(telcoProfile());
    EXPECT_EQ(process("EP TELCO_RX 2 KEY KEY_REDIAL"), nullptr);
    EXPECT_TRUE(m_device->isRedialPending());
}

// Fault: the lines fakebox --help gives a newcomer must play a call on the profile it names
// (VoIP, End Point Number 1): ringing, answered, ended; ANSWER, END CALL and REJECT send the
// line the usage says they send, and after REJECT, which the stand-in leaves unanswered, the
// usage's IDLE line ends the ringing call.
TEST_F(VoipParser, TheFakeBoxUsageLinesPlayACall) {
    const std::string usage = fakebox::usage();
    std::vector<std::string> typed;
    std::istringstream rows(usage);
    for (std::string row; std::getline(rows, row);) {
        if (row.rfind("  EP UA 1 NOTIFICATION", 0) == 0) {
            typed.push_back(row.substr(2));
        }
    }
    ASSERT_EQ(typed.size(), 3u) << usage;
    const int32_t states[] = {StateId::INCOMING, StateId::ACTIVE, StateId::IDLE};
    for (size_t step = 0; step < typed.size(); ++step) {
        EXPECT_NE(process(typed[step]), nullptr) << typed[step];
        EXPECT_EQ(party(1).getState(), states[step]) << typed[step];
        if (step < 2) {
            // ANSWER on the ringing call, END CALL on the answered one.
            step == 0 ? m_device->answer(1) : m_device->endCall(1);
            ASSERT_EQ(m_bridge.sentLines().size(), step + 1);
            EXPECT_NE(usage.find('"' + m_bridge.sentLines().back() + '"'), std::string::npos)
                << m_bridge.sentLines().back();
        }
    }

    ASSERT_NE(process(typed[0]), nullptr);
    m_bridge.clear();
    m_device->reject(1);
    ASSERT_EQ(m_bridge.sentLines().size(), 1u);
    const size_t rejectAt = usage.find('"' + m_bridge.sentLines().back() + '"');
    ASSERT_NE(rejectAt, std::string::npos) << m_bridge.sentLines().back();
    EXPECT_NE(usage.find("IDLE", rejectAt), std::string::npos);
    EXPECT_EQ(party(1).getState(), StateId::INCOMING);
    EXPECT_NE(process(typed[2]), nullptr);
    EXPECT_EQ(party(1).getState(), StateId::IDLE);
}

} // namespace
