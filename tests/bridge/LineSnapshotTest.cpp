#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/LineConversions.h"
#include "Logic/common/Codes.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "support/CoreFixture.h"

#include <string>
#include <vector>

namespace {

class LineSnapshotTest : public OpenCoreFixture {
protected:
    void SetUp() override {
        OpenCoreFixture::SetUp();
        m_profile.setPhoneType(PhoneType::VOIP);
        live().reset(true);
    }

    static CPPLine& live() { return CPPLine::getInstance(); }
    void setParty(int32_t id, const std::string& payload) {
        ASSERT_TRUE(live().updateParty(id, payload, &m_profile)) << payload;
    }
    static LinePtr snapshot() { return lineFromCpp(CPPLine(live())); }

    CPPConnectionSettings m_profile;
};

TEST(LineMapsTest, CoreCodesBecomeTheNumbersTheScreensDraw) {
    // The party state map is the identity except where the screens show another state.
    for (int32_t id = 0; id <= 30; ++id) {
        int64_t expected = id > 27 ? 27 : id;
        if (id == 14)
            expected = 3;
        if (id == 21 || id == 22 || id == 23)
            expected = id - 7;
        EXPECT_EQ(linePartyStateFromCpp(id), expected) << id;
    }
    EXPECT_EQ(linePartyStateFromCpp(1000), 27);
    const std::pair<int32_t, int64_t> forwarding[] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}, {4, 4}};
    for (const auto& [core, screen] : forwarding)
        EXPECT_EQ(callForwardingTypeFromCpp(core), screen) << core;
    const std::pair<int32_t, int64_t> threeValued[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {-1, 2}};
    for (const auto& [core, screen] : threeValued) {
        EXPECT_EQ(lineStateFromCpp(core), screen) << core;
        EXPECT_EQ(doNotDisturbStateFromCpp(core), screen) << core;
        EXPECT_EQ(linePartyStatusFromCpp(core), screen) << core;
    }
    for (int32_t status = 0; status <= 4; ++status)
        EXPECT_EQ(sipProxyStatusFromCpp(status), status);
}

TEST_F(LineSnapshotTest, LiveValuesFollowTheLineAndKeptOnesDoNot) {
    live().setSipProxyStatus(CPPLine::NOT_REGISTERED);
    live().setMuteActivated(true);
    live().setDoNotDisturbState(DndMode::CALL_MUTE);
    live().setVolumeSliderValue(40);
    const LinePtr line = snapshot();
    live().setSipProxyStatus(CPPLine::REGISTERED_PRIMARY);
    live().setMuteActivated(false);
    live().setDoNotDisturbState(DndMode::CALL_REJECT);
    live().setVolumeSliderValue(80);
    live().setCallForwardingNumber("300");
    ASSERT_TRUE(live().setCallForwardingTypeByName("CFW-BUSY"));
    EXPECT_EQ(line->sipProxyStatus(), 3);
    EXPECT_EQ(line->callForwardingType(), 3);
    EXPECT_EQ(line->callForwardingNumber(), "300");
    EXPECT_TRUE(line->isMuteActivated());
    EXPECT_EQ(line->doNotDisturbState(), 1);
    EXPECT_EQ(line->volumeSliderValue(), 40);

    // Every read builds new snapshots of all five parties, in id order.
    const auto first = line->lineParties();
    const auto second = line->lineParties();
    ASSERT_EQ(first.size(), 5u);
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i]->ID(), static_cast<int64_t>(i + 1));
        EXPECT_NE(first[i], second[i]);
    }
    setParty(2, "ACTIVE:200:0:0");
    EXPECT_EQ(line->lineParties()[1]->state(), 6);
    EXPECT_EQ(line->lineState(), 2);
    EXPECT_EQ(first[1]->state(), 1);
}

TEST_F(LineSnapshotTest, PartySnapshotOffersTheButtonsOfItsState) {
    setParty(1, "INCOMING:200:0:0");
    const auto parties = snapshot()->lineParties();
    const LineParty& incoming = *parties[0];
    EXPECT_EQ(incoming.state(), 8);
    EXPECT_EQ(incoming.status(), 1);
    EXPECT_EQ(incoming.callParty(), "200");
    const std::vector<bool> incomingButtons = {
        incoming.showsHold(),       incoming.showsKeyPad(),         incoming.showsResume(),
        incoming.showsTransfer(),   incoming.showsCancelTransfer(), incoming.showsCompleteTransfer(),
        incoming.showsConference(), incoming.showsNewCall(),        incoming.showsEndCall(),
        incoming.showsAnswer(),     incoming.showsReject(),         incoming.showsHookFlash()};
    EXPECT_EQ(incomingButtons, (std::vector<bool>{false, false, false, false, false, false, false, false,
                                                  false, true, true, false}));
    const LineParty& idle = *parties[1];
    const std::vector<bool> idleButtons = {
        idle.showsHold(),       idle.showsKeyPad(),         idle.showsResume(),
        idle.showsTransfer(),   idle.showsCancelTransfer(), idle.showsCompleteTransfer(),
        idle.showsConference(), idle.showsNewCall(),        idle.showsEndCall(),
        idle.showsAnswer(),     idle.showsReject(),         idle.showsHookFlash()};
    EXPECT_EQ(idleButtons, (std::vector<bool>{false, false, false, false, false, false, false, true, false,
                                              false, false, false}));
    EXPECT_EQ(idle.contact(), nullptr);
}

TEST_F(LineSnapshotTest, ConferenceNeedsTwoCallsThatCanJoin) {
    setParty(1, "ACTIVE:200:0:0");
    EXPECT_FALSE(snapshot()->showsConference());
    setParty(2, "HOLD:300:0:0");
    EXPECT_TRUE(snapshot()->showsConference());
}

TEST_F(LineSnapshotTest, ContactOfASnapshotOutlivesTheCall) {
    Contact ann("Ann", "", "Lee", "Acme");
    ann.numbers()[0]->setNumber("200");
    ASSERT_TRUE(ContactManager::addContact(ann));
    setParty(1, "ACTIVE:200:0:0");
    const LinePartyPtr party = snapshot()->lineParties()[0];
    live().reset(true);
    ASSERT_NE(party->contact(), nullptr);
    EXPECT_EQ(party->contact()->firstName(), "Ann");
    EXPECT_EQ(party->contact()->numbers()[0]->number(), "200");
    EXPECT_EQ(party->callParty(), "200");
}

// The routing's snapshot skips only the contacts (and so the store): a state or a party that
// differed from the full snapshot would route a call wrongly.
TEST_F(LineSnapshotTest, SnapshotWithoutContactsHasEverythingButThem) {
    Contact ann("Ann", "", "Lee", "Acme");
    ann.numbers()[0]->setNumber("200");
    ASSERT_TRUE(ContactManager::addContact(ann));
    setParty(1, "ACTIVE:200:0:0");
    setParty(2, "HOLD:300:4:0");
    const LinePtr full = snapshot();
    const LinePtr light = lineWithoutContactsFromCpp(CPPLine(live()));
    EXPECT_EQ(light->lineState(), full->lineState());
    const std::vector<LinePartyPtr> fullParties = full->lineParties();
    const std::vector<LinePartyPtr> lightParties = light->lineParties();
    ASSERT_EQ(lightParties.size(), fullParties.size());
    for (size_t index = 0; index < fullParties.size(); ++index) {
        EXPECT_EQ(lightParties[index]->ID(), fullParties[index]->ID());
        EXPECT_EQ(lightParties[index]->state(), fullParties[index]->state());
        EXPECT_EQ(lightParties[index]->callParty(), fullParties[index]->callParty());
        EXPECT_EQ(lightParties[index]->contact(), nullptr);
    }
    ASSERT_NE(fullParties[0]->contact(), nullptr);
}

} // namespace
