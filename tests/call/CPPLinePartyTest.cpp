#include "CallFixture.h"

#include <ctime>
#include <functional>

namespace {

class CPPLinePartyTest : public CallFixture {
protected:
    // Feeds party 1 one payload per step, the clock moved by the step's seconds first.
    void play(const std::vector<std::pair<long, std::string>>& steps) {
        for (const auto& [seconds, payload] : steps) {
            m_clock.advanceSeconds(seconds);
            m_line->updateParty(1, payload, profile());
        }
    }
    std::string callLog() {
        std::string text;
        for (const Row& row :
             select("select callNumber, callType, callDuration, contactName, company from CallLog "
                    "order by id")) {
            text += row.at("callNumber") + "|" + row.at("callType") + "|" + row.at("callDuration") + "|" +
                    row.at("contactName") + "|" + row.at("company") + ";";
        }
        return text;
    }
    std::string callFrequency(int32_t contactId) {
        return scalar("select callFrequency from Contact where id=" + std::to_string(contactId));
    }
};

struct CallCase {
    std::string name;
    std::vector<std::pair<long, std::string>> steps;
    std::string row;
};

// Which calls are logged, as what, and for how long: rung out and dial-tone calls are placed
// calls of no length, unanswered incoming calls are missed, answered ones received; the box's
// active seconds are added once more; calls ending from other states are not logged.
TEST_F(CPPLinePartyTest, CallEndWritesTheRowItsHistoryCallsFor) {
    const std::vector<CallCase> cases = {
        {"rung out", {{0, "RINGING:555"}, {10, "IDLE"}}, "555|1|0||;"},
        {"dial tone with a remote",
         {{0, "DIAL_TONE"}, {0, "DIALING:555"}, {0, "DIAL_TONE:555"}, {7, "IDLE"}},
         "555|1|0||;"},
        {"missed counts from the ring",
         {{3600, "INCOMING:\"ANN\" <SIP:201@PBX>"}, {20, "IDLE"}},
         "201@PBX|2|20|ANN|;"},
        {"received", {{0, "INCOMING:201"}, {5, "ACTIVE:201:0:0"}, {30, "IDLE"}}, "201|0|30||;"},
        {"running at connect", {{0, "ACTIVE:201:40:0"}, {20, "IDLE"}}, "201|1|60||;"},
        {"placed through hold keeps its start",
         {{0, "RINGING:300"},
          {4, "ACTIVE:300:0:0"},
          {10, "HOLD:300:10:2"},
          {5, "ACTIVE:300:0:0"},
          {6, "IDLE"}},
         "300|1|21||;"},
        {"resumed payload seconds count twice",
         {{0, "RINGING:300"},
          {0, "ACTIVE:300:0:0"},
          {10, "HOLD:300:10:2"},
          {5, "ACTIVE:300:15:0"},
          {5, "IDLE"}},
         "300|1|35||;"},
        {"received through hold keeps its type",
         {{0, "INCOMING:201"},
          {0, "ACTIVE:201:0:0"},
          {5, "HOLD:201:5:1"},
          {3, "ACTIVE:201:0:0"},
          {4, "IDLE"}},
         "201|0|12||;"},
        {"dial tone after a call drops the box's seconds",
         {{0, "ACTIVE:555:40:0"}, {5, "DIAL_TONE:555"}, {7, "IDLE"}},
         "555|1|0||;"},
        {"ended from hold",
         {{0, "INCOMING:201"}, {0, "ACTIVE:201"}, {8, "HOLD:201:8:3"}, {2, "IDLE"}},
         "201|0|18||;"},
        {"forwarded while ringing", {{0, "RINGING:555"}, {3, "CFW"}}, "555|1|0||;"},
        {"busy", {{0, "DIALING:555"}, {0, "BUSY:555"}, {3, "IDLE"}}, ""},
        {"dialing", {{0, "DIAL_TONE"}, {0, "DIALING:555"}, {3, "IDLE"}}, ""},
        {"in process", {{0, "INPROCESS:555"}, {3, "IDLE"}}, ""},
        {"conference", {{0, "ACTIVE:555"}, {0, "CONFERENCE_ACTIVE:555"}, {3, "IDLE"}}, ""},
        {"transfer", {{0, "ACTIVE:555"}, {0, "TRANSFERRING_ACTIVE:555"}, {3, "IDLE"}}, ""},
        {"no remote", {{0, "INCOMING"}, {0, "ACTIVE"}, {3, "IDLE"}}, ""},
    };
    for (const CallCase& test : cases) {
        SCOPED_TRACE(test.name);
        run("delete from CallLog");
        m_line = std::make_unique<CPPLine>();
        play(test.steps);
        EXPECT_EQ(callLog(), test.row);
        const CPPLineParty ended = party(1);
        EXPECT_EQ(ended.getState(), StateId::IDLE);
        EXPECT_EQ(ended.getStatePre(), StateId::IDLE);
        EXPECT_EQ(ended.getCallParty(), "");
        EXPECT_EQ(ended.getStatus(), StateCategory::IDLE);
        EXPECT_EQ(ended.getCallType(), CallType::PLACED);
    }
}

// The row's date and time of day, as the call log stores them for a call started then.
std::string localStamp(std::time_t start) {
    std::tm local{};
    if (localtime_r(&start, &local) == nullptr)
        return "";
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%Y/%m/%d", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return std::string(date) + " " + time;
}

TEST_F(CPPLinePartyTest, RowCarriesTheStartDateAndTime) {
    m_line->updateParty(1, "INCOMING:201", profile());
    const std::time_t start = m_clock.now();
    m_line->updateParty(1, "ACTIVE:201", profile());
    m_clock.advanceSeconds(9);
    m_line->updateParty(1, "IDLE", profile());
    EXPECT_EQ(scalar("select callDate || ' ' || startTime from CallLog"), localStamp(start));
}

// A call left ringing after an idle hour is logged when it rang and for as long as it rang,
// on a VoIP line and on a telephone line alike.
TEST_F(CPPLinePartyTest, MissedCallRowStartsAtTheRing) {
    struct Case {
        std::string name;
        bool telco;
        std::function<void(CPPLine&)> ring;
        std::function<void(CPPLine&)> hangUp;
    };
    const std::vector<Case> cases = {
        {"VoIP", false, [this](CPPLine& line) { line.updateParty(1, "INCOMING:5551234", profile()); },
         [this](CPPLine& line) { line.updateParty(1, "IDLE", profile()); }},
        {"Telco", true,
         [this](CPPLine& line) {
             line.onTelcoRing("1", profile());
             line.onTelcoCallerId("0102 1030 5551234", profile());
         },
         [this](CPPLine& line) { line.onTelcoIncomingCall("0", profile()); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        run("delete from CallLog");
        useProfile(test.telco ? PhoneType::TELCO : PhoneType::VOIP);
        m_line = std::make_unique<CPPLine>();
        m_line->reset(!test.telco);
        m_clock.advanceSeconds(3600);
        const std::time_t rang = m_clock.now();
        test.ring(*m_line);
        m_clock.advanceSeconds(20);
        test.hangUp(*m_line);
        EXPECT_EQ(callLog(), "5551234|2|20||;");
        EXPECT_EQ(scalar("select callDate || ' ' || startTime from CallLog"), localStamp(rang));
    }
}

// A state word that is not a change leaves everything as it was, the log included.
TEST_F(CPPLinePartyTest, SameStateUnknownWordAndForwardOnIdleAreNoChange) {
    m_line->updateParty(1, "RINGING:555", profile());
    EXPECT_FALSE(m_line->updateParty(1, "RINGING:556", profile()));
    EXPECT_FALSE(m_line->updateParty(1, "UNKNOWN", profile()));
    EXPECT_FALSE(m_line->updateParty(1, "RINGNG", profile()));
    EXPECT_FALSE(m_line->updateParty(2, "CFW", profile()));
    EXPECT_EQ(party(1).getCallParty(), "555");
    EXPECT_EQ(party(1).getState(), StateId::RINGING);
    EXPECT_EQ(party(2).getState(), StateId::IDLE);
    EXPECT_EQ(callLog(), "");
}

// ACTIVE reports carry no hold seconds, so a resumed call must not keep the held ones.
TEST_F(CPPLinePartyTest, ResumedCallCarriesNoHoldSeconds) {
    play({{0, "INCOMING:201"}, {0, "ACTIVE:201:0:0"}, {5, "HOLD:201:5:4"}, {4, "ACTIVE:201:5:0"}});
    EXPECT_EQ(party(1).getHoldDuration(), 0);
}

// A remote in the IDLE payload lands on the party after its reset.
TEST_F(CPPLinePartyTest, RemoteInIdlePayloadStaysOnTheResetParty) {
    play({{0, "INCOMING:201"}, {0, "ACTIVE:201"}, {5, "IDLE:555"}});
    EXPECT_EQ(callLog(), "201|0|5||;");
    EXPECT_EQ(party(1).getCallParty(), "555");
    EXPECT_EQ(party(1).getState(), StateId::IDLE);
}

// A phone-book match names the row and counts placed calls; the count is raised in the store,
// so an edit made during the call survives and the count rises by exactly one.
TEST_F(CPPLinePartyTest, ContactNamesTheRowAndCountsPlacedCallsOnly) {
    const int32_t john = addContact("JOHN", "DOE", "ACME", "555");
    play({{0, "RINGING:555"}, {0, "ACTIVE:555"}});
    run("update Contact set firstName='JACK', callFrequency=callFrequency+10 where id=" +
        std::to_string(john));
    play({{12, "IDLE"}});
    EXPECT_EQ(callLog(), "555|1|12|JOHN  DOE|ACME;");
    EXPECT_EQ(callFrequency(john), "11");
    EXPECT_EQ(scalar("select firstName from Contact where id=" + std::to_string(john)), "JACK");

    run("delete from CallLog");
    play({{0, "INCOMING:555"}, {0, "ACTIVE:555"}, {3, "IDLE"}});
    play({{0, "INCOMING:555"}, {3, "IDLE"}});
    EXPECT_EQ(callLog(), "555|0|3|JACK  DOE|ACME;555|2|3|JACK  DOE|ACME;");
    EXPECT_EQ(callFrequency(john), "11");
}

// A new remote without a phone-book entry drops the contact of the earlier one.
TEST_F(CPPLinePartyTest, UnmatchedRemoteClearsTheEarlierContact) {
    addContact("JOHN", "", "ACME", "201");
    play({{0, "INCOMING:\"ANN\" <SIP:201>"}});
    ASSERT_NE(party(1).getContact(), nullptr);
    play({{0, "ACTIVE:\"BOB\" <SIP:999>"}, {4, "IDLE"}});
    EXPECT_EQ(callLog(), "999|0|4|BOB|;");
}

// A pending redial keeps exactly the next logged call out of the log; it still counts.
TEST_F(CPPLinePartyTest, PendingRedialSuppressesOneRowAndStillCounts) {
    const int32_t john = addContact("JOHN", "DOE", "", "555");
    m_device->setRedialPending(true);
    play({{0, "DIALING:555"}, {0, "BUSY:555"}, {0, "IDLE"}});
    EXPECT_TRUE(m_device->isRedialPending());
    play({{0, "RINGING:555"}, {0, "IDLE"}});
    EXPECT_FALSE(m_device->isRedialPending());
    EXPECT_EQ(callLog(), "");
    EXPECT_EQ(callFrequency(john), "1");
    play({{0, "RINGING:555"}, {0, "IDLE"}});
    EXPECT_EQ(callLog(), "555|1|0|JOHN  DOE|;");
    EXPECT_EQ(callFrequency(john), "2");
}

// The idle state a call ends in follows the profile the line arrived under, whatever profile
// is current meanwhile: a Telco (or unknown) phone type gets Telco idle states, and no profile
// means VoIP.
TEST_F(CPPLinePartyTest, CallEndResetsToTheProfilesIdleState) {
    const CPPIState* voipIdle = party(1).getCurrentState();
    const CPPConnectionSettings telcoTyped = callTestProfile(0);
    m_line->updateParty(1, "RINGING", &telcoTyped);
    m_line->updateParty(1, "IDLE", &telcoTyped);
    EXPECT_NE(party(1).getCurrentState(), voipIdle);
    useProfile(PhoneType::TELCO);
    m_line->updateParty(1, "RINGING", nullptr);
    m_line->updateParty(1, "IDLE", nullptr);
    EXPECT_EQ(party(1).getCurrentState(), voipIdle);
}

} // namespace
