#include "CallFixture.h"

#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPPreferencesSettings.h"
#include "Logic/store/CPPPreferencesSettingsManager.h"

#include <set>

namespace {

class CPPLineTest : public CallFixture {
protected:
    // Puts parties in the named states, ids from 1 up.
    void putInStates(const std::vector<std::string>& states) {
        for (size_t index = 0; index < states.size(); ++index) {
            m_line->updateParty(static_cast<int32_t>(index) + 1, states[index], profile());
        }
    }
};

struct PartyCase {
    std::string payload;
    bool changed;
    int32_t state;
    std::string displayName;
    std::string callParty;
    int32_t active;
    int32_t hold;
};

// The box's party text: a name and the address in the last "<...>" (the name may hold quotes,
// brackets and ":"; the address a port), a bare address, empty fields that vanish, dialling
// states whose remote is not stored. A name cut at its brackets would make "X" the number. A
// "<...>" before the first ":" is no address: read as one, the remote would start past the end.
TEST_F(CPPLineTest, UpdatePartyReadsTheBoxsPartyText) {
    const std::vector<PartyCase> cases = {
        {"INCOMING:\"ANN\" <SIP:201@PBX>", true, 8, "ANN", "201@PBX", 0, 0},
        {"INCOMING:\"ANN\"<SIP:201@PBX>", true, 8, "ANN", "201@PBX", 0, 0},
        {"INCOMING:<SIP:201@PBX>", true, 8, "", "201@PBX", 0, 0},
        {"ACTIVE:SIP:201@PBX:30:0", true, 6, "201@PBX", "", 30, 0},
        {"ACTIVE:\"A\" <SIP:201@H:5060>:12:0", true, 6, "A", "201@H:5060", 12, 0},
        {"ACTIVE:\"D'ARCY <B>X</B>\" <SIP:555@PBX>:12:3", true, 6, "D'ARCY <B>X</B>", "555@PBX", 12, 0},
        {"HOLD:\"<B>X</B>\" <SIP:555@PBX>;TAG=1:12:3", true, 7, "<B>X</B>", "555@PBX", 12, 3},
        {"HOLD::\"ROOM: 4\" <SIP:555@PBX>:12:3", true, 7, "ROOM: 4", "555@PBX", 12, 3},
        {"INCOMING:  BOB SIP:7 <8>", true, 8, "BOB SIP:7", "8", 0, 0},
        {"ACTIVE::45:0", true, 6, "", "45", 0, 0},
        {"HOLD:555:70:12", true, 7, "", "555", 70, 12},
        {"CONFERENCE_HOLD:555:70", true, 10, "", "555", 70, 0},
        {"RINGING:555:70:12", true, 4, "", "555", 0, 0},
        {"DIALING:555", true, 3, "", "", 0, 0},
        {"TRANSFERRING_DIALING:555", true, 14, "", "", 0, 0},
        {"BLIND_TRANSFERRING_DIALING:555", true, 21, "", "", 0, 0},
        {"RINGING", true, 4, "", "", 0, 0},
        {"", false, 1, "", "", 0, 0},
        {":::", false, 1, "", "", 0, 0},
        {"FOO:555", false, 1, "", "", 0, 0},
        {"INCOMING <X>", false, 1, "", "", 0, 0},
        {"<X>", false, 1, "", "", 0, 0},
        {"idle", false, 1, "", "", 0, 0},
        {"IDLE", false, 1, "", "", 0, 0},
    };
    for (const PartyCase& test : cases) {
        SCOPED_TRACE(test.payload);
        m_line = std::make_unique<CPPLine>();
        EXPECT_EQ(m_line->updateParty(2, test.payload, profile()), test.changed);
        const CPPLineParty updated = party(2);
        EXPECT_EQ(updated.getState(), test.state);
        EXPECT_EQ(updated.getDisplayName(), test.displayName);
        EXPECT_EQ(updated.getCallParty(), test.callParty);
        EXPECT_EQ(updated.getActiveDuration(), test.active);
        EXPECT_EQ(updated.getHoldDuration(), test.hold);
    }
}

// A repeated notification must reach the interface once and change nothing the second time.
TEST_F(CPPLineTest, RepeatedPayloadIsNoChangeAndMissingPartiesAreRefused) {
    EXPECT_TRUE(m_line->updateParty(1, "ACTIVE:201:30:0", profile()));
    EXPECT_FALSE(m_line->updateParty(1, "ACTIVE:999:99:0", profile()));
    EXPECT_EQ(party(1).getActiveDuration(), 30);
    EXPECT_EQ(party(1).getCallParty(), "201");
    EXPECT_FALSE(m_line->updateParty(9, "ACTIVE", profile()));
    EXPECT_FALSE(m_line->updateParty(0, "ACTIVE", profile()));
    EXPECT_EQ(m_line->getLineState(), LineState::IN_CALL);
}

TEST_F(CPPLineTest, LineStateSummarisesEveryParty) {
    const std::vector<std::pair<std::vector<std::string>, int32_t>> cases = {
        {{}, 0},
        {{"IDLE", "IDLE"}, 0},
        {{"DIAL_TONE"}, 1},
        {{"IDLE", "TRANSFERRING_DIALING"}, 1},
        {{"DIALING", "BLIND_TRANSFERRING_DIAL_TONE"}, 1},
        {{"DIAL_TONE", "HOLD"}, 2},
        {{"IDLE", "IDLE", "RINGING"}, 2},
        {{"CFW"}, 0},
    };
    for (const auto& [states, lineState] : cases) {
        SCOPED_TRACE(testing::PrintToString(states));
        m_line = std::make_unique<CPPLine>();
        putInStates(states);
        m_line->updateParty(5, "DIAL_TONE", profile());
        m_line->updateParty(5, "IDLE", profile());
        EXPECT_EQ(m_line->getLineState(), lineState);
    }
}

// Which states carry active and hold seconds, which take the remote, and how each one alone
// counts for the line state.
TEST_F(CPPLineTest, EveryStateStoresItsFieldsAndCountsForTheLineState) {
    const std::set<std::string> withActive = {"ACTIVE",
                                              "HOLD",
                                              "CONFERENCE_ACTIVE",
                                              "CONFERENCE_HOLD",
                                              "TRANSFER_HOLD",
                                              "TRANSFER_ACTIVE",
                                              "TRANSFERRING_ACTIVE",
                                              "TRANSFERRING_HOLD",
                                              "BLIND_TRANSFER_HOLD"};
    const std::set<std::string> withHold = {"HOLD", "CONFERENCE_HOLD", "TRANSFER_HOLD", "TRANSFERRING_HOLD"};
    const std::set<std::string> dialing = {"DIALING", "TRANSFERRING_DIALING", "BLIND_TRANSFERRING_DIALING"};
    const std::set<std::string> collecting = {"DIAL_TONE",
                                              "DIALING",
                                              "TRANSFERRING_DIAL_TONE",
                                              "TRANSFERRING_DIALING",
                                              "BLIND_TRANSFERRING_DIAL_TONE",
                                              "BLIND_TRANSFERRING_DIALING"};
    const std::vector<std::string> states = {"DIAL_TONE",
                                             "DIALING",
                                             "RINGING",
                                             "BUSY",
                                             "ACTIVE",
                                             "HOLD",
                                             "INCOMING",
                                             "CONFERENCE_ACTIVE",
                                             "CONFERENCE_HOLD",
                                             "TRANSFER_HOLD",
                                             "TRANSFER_ACTIVE",
                                             "TRANSFERRING_DIAL_TONE",
                                             "TRANSFERRING_DIALING",
                                             "TRANSFERRING_RINGING",
                                             "TRANSFERRING_BUSY",
                                             "TRANSFERRING_ACTIVE",
                                             "TRANSFERRING_HOLD",
                                             "BLIND_TRANSFER_HOLD",
                                             "BLIND_TRANSFERRING_DIAL_TONE",
                                             "BLIND_TRANSFERRING_DIALING",
                                             "BLIND_TRANSFERRING_RINGING",
                                             "BLIND_TRANSFERRING_BUSY",
                                             "INPROCESS",
                                             "TRANSFERRING_INPROCESS",
                                             "BLIND_TRANSFERRING_INPROCESS"};
    for (const std::string& state : states) {
        SCOPED_TRACE(state);
        m_line = std::make_unique<CPPLine>();
        EXPECT_TRUE(m_line->updateParty(4, state + ":555:30:7", profile()));
        const CPPLineParty updated = party(4);
        EXPECT_EQ(updated.getCallParty(), dialing.count(state) ? "" : "555");
        EXPECT_EQ(updated.getActiveDuration(), withActive.count(state) ? 30 : 0);
        EXPECT_EQ(updated.getHoldDuration(), withHold.count(state) ? 7 : 0);
        EXPECT_EQ(updated.getStatus(),
                  collecting.count(state) ? StateCategory::COLLECTING_DIGITS : StateCategory::IN_CALL);
        EXPECT_EQ(m_line->getLineState(),
                  collecting.count(state) ? LineState::COLLECTING_DIGITS : LineState::IN_CALL);
    }
}

// Forwarding answers store user and host, derive the user part, and report only a new type.
TEST_F(CPPLineTest, ForwardingStatusChangesOnlyWithTheType) {
    struct Step {
        std::string payload;
        bool changed;
        CPPLine::CalFWType type;
        std::string number;
        std::string userPart;
    };
    const std::vector<Step> steps = {
        {"INPROCESS", false, CPPLine::CFW_NONE, "", ""},
        {"ACTIVE", false, CPPLine::CFW_NONE, "", ""},
        {"ACTIVE;CFW-BUSY;SIP:300@PBX", true, CPPLine::CFW_BUSY, "300@PBX", "300"},
        {"ACTIVE;CFW-BUSY;SIP:300@PBX", false, CPPLine::CFW_BUSY, "300@PBX", "300"},
        {"ACTIVE;CFW-BUSY;SIP:400@PBX", false, CPPLine::CFW_BUSY, "400@PBX", "400"},
        {"INACTIVE", true, CPPLine::CFW_NONE, "", "400"},
        {"INACTIVE", false, CPPLine::CFW_NONE, "", "400"},
        {"ACTIVE;CFW-UNCONDITIONAL", true, CPPLine::CFW_UNCONDITIONAL, "", "400"},
        {"ACTIVE;CFW-NO_REPLY;5551234", true, CPPLine::CFW_NO_REPLY, "5551234", "5551234"},
        {"ACTIVE;CFW-FOO;SIP:@PBX", false, CPPLine::CFW_NO_REPLY, "@PBX", "PBX"},
        {"ACTIVE;CFW-NONE;SIP:a@b:c", true, CPPLine::CFW_NONE, "a@b", "a"},
        {";;", false, CPPLine::CFW_NONE, "a@b", "a"},
        {"UNKNOWN;CFW-BUSY", false, CPPLine::CFW_NONE, "a@b", "a"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.payload);
        EXPECT_EQ(m_line->updateCallForwardingStatus(step.payload), step.changed);
        EXPECT_EQ(m_line->getCallForwardingType(), step.type);
        EXPECT_EQ(m_line->getCallForwardingNumber(), step.number);
        EXPECT_EQ(m_line->getCallForwardingUserPart(), step.userPart);
    }
}

// A target far past the old 511-character scratch copy keeps its whole user part.
TEST_F(CPPLineTest, LongForwardingTargetKeepsItsWholeUserPart) {
    const std::string user(2000, '7');
    EXPECT_TRUE(m_line->updateCallForwardingStatus("ACTIVE;CFW-BUSY;SIP:" + user + "@PBX"));
    EXPECT_EQ(m_line->getCallForwardingNumber(), user + "@PBX");
    EXPECT_EQ(m_line->getCallForwardingUserPart(), user);
}

TEST_F(CPPLineTest, WireWordsChangeRegistrationAndNameOnlyWhenNew) {
    EXPECT_TRUE(m_line->setSipProxyStatusByName("REGISTERED_PRIMARY"));
    EXPECT_FALSE(m_line->setSipProxyStatusByName("REGISTERED_PRIMARY"));
    EXPECT_FALSE(m_line->setSipProxyStatusByName("registered_secondary"));
    EXPECT_EQ(m_line->getSipProxyStatus(), CPPLine::REGISTERED_PRIMARY);
    EXPECT_TRUE(m_line->setCallForwardingTypeByName("CFW-BUSY"));
    EXPECT_FALSE(m_line->setCallForwardingTypeByName("CFW-BUSY"));
    EXPECT_FALSE(m_line->setCallForwardingTypeByName("BUSY"));
    EXPECT_TRUE(m_line->updateDisplayName("ROOM 3"));
    EXPECT_FALSE(m_line->updateDisplayName("ROOM 3"));
    EXPECT_TRUE(m_line->updateDoNotDisturbState(2));
    EXPECT_FALSE(m_line->updateDoNotDisturbState(2));
    EXPECT_EQ(m_line->getDoNotDisturbState(), 2);
}

TEST_F(CPPLineTest, SliderLevelIsStoredAsPerCentOfTheRange) {
    m_line->setMinVolumeValue(-40.0f);
    m_line->setMaxVolumeValue(0.0f);
    EXPECT_FLOAT_EQ(m_line->updateVolumeSliderFromLevel(-10.0f), 75.0f);
    EXPECT_FLOAT_EQ(m_line->getVolumeSliderValue(), 75.0f);
    m_line->setMinVolumeValue(0.0f);
    EXPECT_FLOAT_EQ(m_line->updateVolumeSliderFromLevel(0.0f), 0.0f);
}

// Reset brings back a fresh line but keeps what the box reports only on change.
TEST_F(CPPLineTest, ResetKeepsDoNotDisturbAndForwardingErrorOnly) {
    putInStates({"ACTIVE:201:30:0", "HOLD:202:40:5"});
    m_line->updateDisplayName("ROOM");
    m_line->updateCallForwardingStatus("ACTIVE;CFW-BUSY;SIP:300@PBX");
    m_line->setSipProxyStatusByName("NOT_REGISTERED");
    m_line->setCallForwardingErrorMessage("busy");
    m_line->setDoNotDisturbState(1);
    m_line->setMuteActivated(false);
    m_line->setMinVolumeValue(-10.0f);
    m_line->setMaxVolumeValue(10.0f);
    m_line->setVolumeSliderValue(50.0f);
    m_line->setVolumeEnabled(true);
    m_line->setMuteEnabled(true);
    m_line->setCallForwardingEnabled(true);
    m_line->setDoNotDisturbEnabled(true);

    m_line->reset(true);

    EXPECT_EQ(m_line->getDisplayName(), "");
    EXPECT_EQ(m_line->getCallForwardingNumber(), "");
    EXPECT_EQ(m_line->getCallForwardingUserPart(), "");
    EXPECT_EQ(m_line->getCallForwardingType(), CPPLine::CFW_NONE);
    EXPECT_EQ(m_line->getSipProxyStatus(), CPPLine::SIP_PROXY_NOT_REPORTED);
    EXPECT_EQ(m_line->getLineState(), LineState::IDLE);
    EXPECT_TRUE(m_line->isMuteActivated());
    EXPECT_FLOAT_EQ(m_line->getMinVolumeValue(), -65.0f);
    EXPECT_FLOAT_EQ(m_line->getMaxVolumeValue(), 20.0f);
    EXPECT_FLOAT_EQ(m_line->getVolumeSliderValue(), 0.0f);
    EXPECT_FALSE(m_line->isVolumeEnabled() || m_line->isMuteEnabled() || m_line->isCallForwardingEnabled() ||
                 m_line->isDoNotDisturbEnabled());
    EXPECT_EQ(m_line->getCallForwardingErrorMessage(), "busy");
    EXPECT_EQ(m_line->getDoNotDisturbState(), 1);
    for (const auto& [id, reset] : m_line->getLineParties()) {
        EXPECT_EQ(reset.getState(), StateId::IDLE);
        EXPECT_EQ(reset.getCallParty(), "");
    }
}

// A copy is a snapshot: later updates of the live line do not reach it, and its contact
// stays usable after the live party dropped it.
TEST_F(CPPLineTest, CopyIsASnapshotWhoseContactOutlivesTheLiveParty) {
    addContact("JOHN", "DOE", "ACME", "201");
    m_line->updateParty(1, "INCOMING:201", profile());
    const CPPLine snapshot(*m_line);
    m_line->updateParty(1, "IDLE", profile());
    m_line->updateDisplayName("LATER");
    const CPPLineParty copied = snapshot.getLineParties().at(1);
    EXPECT_EQ(copied.getState(), StateId::INCOMING);
    ASSERT_NE(copied.getContact(), nullptr);
    EXPECT_EQ(copied.getContact()->getFullName(), "JOHN  DOE");
    EXPECT_EQ(snapshot.getDisplayName(), "");
    EXPECT_EQ(party(1).getContact(), nullptr);
}

TEST_F(CPPLineTest, ConferenceButtonNeedsTwoJoinableCalls) {
    const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
        {{"ACTIVE"}, false},
        {{"ACTIVE", "HOLD"}, true},
        {{"ACTIVE", "CONFERENCE_HOLD"}, true},
        {{"CONFERENCE_HOLD"}, false},
        {{"CONFERENCE_HOLD", "CONFERENCE_HOLD"}, false},
        {{"HOLD", "CONFERENCE_ACTIVE"}, true},
    };
    for (const auto& [states, shows] : cases) {
        SCOPED_TRACE(testing::PrintToString(states));
        m_line = std::make_unique<CPPLine>();
        putInStates(states);
        EXPECT_EQ(m_line->showsConference(), shows);
    }
}

// Actions go to the right parties in id order; the lines of every party involved, in order.
TEST_F(CPPLineTest, ActionsFanOutToTheRightParties) {
    struct FanOut {
        std::string name;
        std::vector<std::string> states;
        std::function<void(CPPLine&, const CPPConnectionSettings*)> action;
        std::vector<std::string> lines;
    };
    const std::vector<FanOut> cases = {
        {"answer holds the others",
         {"ACTIVE", "INCOMING"},
         [](CPPLine& l, auto p) { l.answer(2, p); },
         {"KEY KEY_HOLD", "KEY KEY_PARTY 2"}},
        {"resume holds the others",
         {"ACTIVE", "HOLD"},
         [](CPPLine& l, auto p) { l.resume(2, p); },
         {"KEY KEY_HOLD", "KEY KEY_PARTY 2"}},
        {"conference joins the held conference",
         {"ACTIVE", "CONFERENCE_HOLD"},
         [](CPPLine& l, auto p) { l.conference(1, p); },
         {"KEY KEY_HOLD", "KEY KEY_PARTY 2", "KEY KEY_CONFERENCE 1", "KEY KEY_CONFERENCE"}},
        {"conference goes to every party",
         {"ACTIVE", "HOLD"},
         [](CPPLine& l, auto p) { l.conference(7, p); },
         {"KEY KEY_CONFERENCE 1", "KEY KEY_CONFERENCE", "KEY KEY_CONFERENCE 2", "KEY KEY_CONFERENCE"}},
        {"new call takes the first idle party",
         {"ACTIVE"},
         [](CPPLine& l, auto p) { l.newCall(1, p); },
         {"KEY KEY_HOLD", "KEY KEY_PARTY 2"}},
        {"new call with every party busy",
         {"ACTIVE", "HOLD", "HOLD", "HOLD", "HOLD"},
         [](CPPLine& l, auto p) { l.newCall(1, p); },
         {}},
        {"digit goes to the first taker",
         {"HOLD", "ACTIVE"},
         [](CPPLine& l, auto p) { l.sendDigit(p, true, "#"); },
         {"KEY KEY_DIGIT_PRESSED #"}},
        {"dial goes to the first idle party",
         {"ACTIVE"},
         [](CPPLine& l, auto p) { l.dial(p, "555"); },
         {"KEY KEY_CALL 555"}},
        {"off hook once", {}, [](CPPLine& l, auto p) { l.offHook(p); }, {"KEY KEY_HOOK"}},
        {"hold the named party",
         {"HOLD", "ACTIVE"},
         [](CPPLine& l, auto p) { l.hold(2, p); },
         {"KEY KEY_HOLD"}},
        {"blind transfer",
         {"ACTIVE"},
         [](CPPLine& l, auto p) { l.transfer(1, p, false); },
         {"KEY KEY_BLIND_TRANSFER"}},
        {"assisted transfer",
         {"ACTIVE"},
         [](CPPLine& l, auto p) { l.transfer(1, p, true); },
         {"KEY KEY_TRANSFER"}},
        {"end call", {"IDLE", "RINGING"}, [](CPPLine& l, auto p) { l.endCall(2, p); }, {"KEY KEY_PARTY 2"}},
        {"missing party answers nothing", {"ACTIVE"}, [](CPPLine& l, auto p) { l.answer(9, p); }, {}},
        {"missing party resumes nothing", {"ACTIVE"}, [](CPPLine& l, auto p) { l.resume(0, p); }, {}},
        {"hook flash has no VoIP line", {"ACTIVE"}, [](CPPLine& l, auto p) { l.hookFlash(p); }, {}},
    };
    for (const FanOut& test : cases) {
        SCOPED_TRACE(test.name);
        m_line = std::make_unique<CPPLine>();
        putInStates(test.states);
        test.action(*m_line, profile());
        EXPECT_EQ(takeSent(), prefixed(VOIP, test.lines));
    }
}

TEST_F(CPPLineTest, NamedPartyResultsAndMissingParties) {
    putInStates({"INCOMING", "TRANSFERRING_RINGING"});
    EXPECT_TRUE(m_line->reject(1, profile()));
    EXPECT_FALSE(m_line->reject(2, profile()));
    EXPECT_FALSE(m_line->reject(9, profile()));
    EXPECT_TRUE(m_line->completeTransfer(2, profile()));
    EXPECT_TRUE(m_line->cancelTransfer(2, profile()));
    EXPECT_FALSE(m_line->cancelTransfer(9, profile()));
    EXPECT_FALSE(m_line->completeTransfer(-1, profile()));
    EXPECT_TRUE(m_line->endCall(9, profile()));
    EXPECT_TRUE(m_line->endCall(1, profile()));
    EXPECT_EQ(takeSent(), prefixed(VOIP, {"KEY KEY_REJECT 1", "KEY KEY_TRANSFER", "KEY KEY_PARTY 2"}));
    EXPECT_EQ(m_line->firstIdlePartyId(), 3);
    EXPECT_EQ(m_line->firstConferenceHoldPartyId(), -1);
}

// Reads the line on every send, as a screen may when a failed send is reported to it.
class LineReadingBridge final : public CPPSerialBridge {
public:
    explicit LineReadingBridge(const CPPLine& line) : m_line(line) {}
    void send(std::string) override {
        const CPPLine snapshot(m_line);
        ++m_sends;
    }
    int sends() const { return m_sends; }

private:
    const CPPLine& m_line;
    int m_sends = 0;
};

// Actions and Telco follow-up queries go out after the line's lock is released; a send made
// under it would deadlock here.
TEST_F(CPPLineTest, CommandsGoOutWithTheLineUnlocked) {
    LineReadingBridge bridge(*m_line);
    m_device->setSerialBridge(&bridge);
    putInStates({"ACTIVE", "INCOMING", "HOLD", "TRANSFERRING_RINGING"});
    m_line->offHook(profile());
    m_line->dial(profile(), "555");
    m_line->sendDigit(profile(), true, "1");
    m_line->conference(1, profile());
    m_line->answer(2, profile());
    m_line->resume(3, profile());
    m_line->newCall(1, profile());
    m_line->hold(1, profile());
    m_line->transfer(1, profile(), true);
    m_line->reject(2, profile());
    m_line->cancelTransfer(4, profile());
    m_line->completeTransfer(4, profile());
    m_line->endCall(1, profile());
    m_line->changeDoNotDisturb(true, profile());
    EXPECT_EQ(bridge.sends(), 20);
    useTelco();
    m_line->hookFlash(profile());
    m_line->onTelcoHookInquiry("1", profile());
    m_line->onTelcoCallerId("A B 555", profile());
    m_line->onTelcoDirection("1", profile());
    m_line->onTelcoCallDuration("5", profile());
    EXPECT_EQ(bridge.sends(), 25);
}

// The mode digit comes from the stored preference when enabling; the stored state waits for
// the box's report.
TEST_F(CPPLineTest, DoNotDisturbKeyFollowsTheStoredMode) {
    m_line->changeDoNotDisturb(true, profile());
    run("update PreferencesSettings set doNotDisturbMode=2");
    m_line->changeDoNotDisturb(true, profile());
    m_line->changeDoNotDisturb(false, profile());
    EXPECT_EQ(takeSent(), prefixed(VOIP, {"KEY KEY_DO_NOT_DISTURB 1", "KEY KEY_DO_NOT_DISTURB 2",
                                          "KEY KEY_DO_NOT_DISTURB 0"}));
    EXPECT_EQ(m_line->getDoNotDisturbState(), 0);
}

} // namespace
