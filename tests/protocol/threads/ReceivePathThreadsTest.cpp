#include "protocol/ProtocolFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using ReceivePathThreads = ProtocolFixture;

// Two feeders (the Telnet receive thread and the serial path) each run calls on their own
// party while a reader takes snapshots, as the interface does. Every change must be reported
// exactly once and every ended call logged once.
TEST_F(ReceivePathThreads, ConcurrentFeedersLoseNoUpdate) {
    constexpr int cycles = 150;
    const std::vector<std::string> volumeAndStatus = {
        "EP UA 1 INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY",
        "EP UA 1 INQUIRE_RESULT REG_STATUS NOT_REGISTERED", "EP UA 1 LEVEL GAIN 3",
        "EP UA 1 NOTIFICATION LINK_DOWN", "EP UA 2 NOTIFICATION STATE_CHANGE PL 1;IDLE"};
    std::atomic<bool> feeding{true};

    const auto feed = [&](int32_t partyId, int& records) {
        CommandParser parser;
        const std::string prefix = "EP UA 1 NOTIFICATION STATE_CHANGE PL " + std::to_string(partyId) + ";";
        for (int cycle = 0; cycle < cycles; ++cycle) {
            for (const char* state : {"RINGING:55512", "ACTIVE:55512:3:0", "IDLE"}) {
                if (auto result = parser.processReceivedLine(prefix + state, m_settings.get())) {
                    ++records;
                    m_device->dispatchNotification(std::move(result));
                }
            }
            m_device->dispatchNotification(parser.processReceivedLine(
                volumeAndStatus[cycle % volumeAndStatus.size()], m_settings.get()));
        }
    };

    int recordsOfParty2 = 0;
    int recordsOfParty3 = 0;
    // A snapshot is one consistent state: a busy party always shows its remote, an idle one none.
    int tornSnapshots = 0;
    std::thread reader([&] {
        while (feeding.load()) {
            const CPPLine snapshot(line());
            for (const auto& [id, party] : snapshot.getLineParties()) {
                const bool busy = party.getState() != 1;
                tornSnapshots += busy == party.getCallParty().empty() ? 1 : 0;
            }
        }
    });
    std::thread serial([&] { feed(2, recordsOfParty2); });
    std::thread telnet([&] { feed(3, recordsOfParty3); });
    serial.join();
    telnet.join();
    feeding.store(false);
    reader.join();

    EXPECT_EQ(recordsOfParty2, 3 * cycles);
    EXPECT_EQ(recordsOfParty3, 3 * cycles);
    EXPECT_EQ(scalar("select count(*) from CallLog"), std::to_string(2 * cycles));
    EXPECT_EQ(tornSnapshots, 0);
    EXPECT_EQ(line().getLineState(), LineState::IDLE);
}

} // namespace
