#include "call/CallFixture.h"

#include "Logic/protocol/CPPNotificationInfo.h"
#include "Logic/store/CPPContact.h"

#include <atomic>
#include <thread>

namespace {

class CPPLineStressTest : public CallFixture {};

constexpr int CALLS = 200;

// One thread plays the box (party 1 takes placed calls to a phone-book number, party 2
// answered calls, the line's name counts up), one reads snapshots and live getters and
// dereferences every contact it sees, one presses keys and polls the digit timeout.
// Nothing may race, and every update must arrive: one row per call, one count per placed call.
TEST_F(CPPLineStressTest, NotificationsSnapshotsAndActionsRunTogether) {
    const int32_t john = addContact("JOHN", "DOE", "ACME", "555");
    std::atomic<bool> done{false};
    std::atomic<int> badSnapshots{0};

    std::thread feeder([&] {
        for (int call = 0; call < CALLS; ++call) {
            m_line->updateParty(1, "RINGING:555", profile());
            m_line->updateParty(2, "INCOMING:\"ANN\" <SIP:201@PBX>", profile());
            m_line->updateParty(1, "ACTIVE:555:" + std::to_string(call) + ":0", profile());
            m_line->updateParty(2, "ACTIVE:SIP:201@PBX:1:0", profile());
            m_line->updateParty(2, "HOLD:201@PBX:2:1", profile());
            m_line->updateDisplayName("ROOM " + std::to_string(call));
            m_line->onTelcoCallerId("0102 1030 555 JOHN DOE", profile());
            m_line->updateParty(1, "IDLE", profile());
            m_line->updateParty(2, "IDLE", profile());
        }
        done = true;
    });
    std::thread reader([&] {
        while (!done) {
            const CPPLine snapshot(*m_line);
            for (const auto& [id, party] : snapshot.getLineParties()) {
                if (party.getState() == StateId::IDLE && party.getStatePre() != StateId::IDLE) {
                    ++badSnapshots;
                }
                if (const auto contact = party.getContact()) {
                    if (contact->getFullName() != "JOHN  DOE") {
                        ++badSnapshots;
                    }
                }
            }
            for (const auto& [id, party] : m_line->getLineParties()) {
                if (const auto contact = party.getContact()) {
                    badSnapshots += contact->getCompany() == "ACME" ? 0 : 1;
                }
            }
            (void)m_line->getDisplayName();
            (void)m_line->getLineState();
            (void)m_line->showsConference();
        }
    });
    std::thread actor([&] {
        while (!done) {
            m_line->sendDigit(profile(), true, "5");
            m_line->answer(2, profile());
            m_line->conference(1, profile());
            m_line->newCall(1, profile());
            m_line->endCall(3, profile());
            m_line->checkDigitCollectionTimeout();
            m_bridge.clear();
        }
    });
    feeder.join();
    reader.join();
    actor.join();

    EXPECT_EQ(badSnapshots.load(), 0);
    EXPECT_EQ(scalar("select count(*) from CallLog where callType=1 and callNumber='555' and "
                     "contactName='JOHN  DOE'"),
              std::to_string(CALLS));
    EXPECT_EQ(scalar("select count(*) from CallLog where callType=0 and callNumber='201@PBX'"),
              std::to_string(CALLS));
    EXPECT_EQ(scalar("select callFrequency from Contact where id=" + std::to_string(john)),
              std::to_string(CALLS));
    EXPECT_EQ(m_line->getDisplayName(), "ROOM " + std::to_string(CALLS - 1));
    EXPECT_EQ(m_line->getLineState(), LineState::IDLE);
}

} // namespace
