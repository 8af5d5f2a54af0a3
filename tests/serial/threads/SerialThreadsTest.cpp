#include "Logic/connection/Serial/SerialPortManager.h"
#include "Platform/NotificationCenter.h"
#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace serialtest;

// The box talks without pause while the main thread closes and reopens the port: no event may
// be lost, doubled or delivered off the main queue, and a close never waits on a read.
TEST_F(PortOnPty, CloseRacesTheReaderWhileTheBoxTalks) {
    std::atomic<bool> talking{true};
    std::thread chatter([&] {
        for (int sent = 0; talking.load(); ++sent)
            box.write(std::to_string(sent % 10));
    });
    for (int cycle = 1; cycle <= 20; ++cycle) {
        ASSERT_TRUE(openAndWait());
        const size_t before = recorder.data().size();
        ASSERT_TRUE(pumpUntil([&] { return recorder.data().size() > before; }));
        ASSERT_TRUE(port->close());
        ASSERT_TRUE(pumpUntil([&] { return recorder.count("closed") == static_cast<size_t>(cycle); }));
    }
    // What the box said since the last close waits in the line for a reader, and once the line is
    // full the box waits for room: the port opens once more to read it before the box stops.
    ASSERT_TRUE(openAndWait());
    talking.store(false);
    chatter.join();
    ASSERT_TRUE(port->close());
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("closed") == 21; }));
    Platform::MainQueue::shared().runPending();
    std::vector<std::string> expected;
    for (int cycle = 0; cycle < 21; ++cycle) {
        expected.push_back("opened");
        expected.push_back("closed");
    }
    EXPECT_EQ(recorder.events(), expected);
}

// Devices come and go from several threads at once while others read the list.
TEST(SerialPortManagerThreads, AnnouncementsFromManyThreadsReachTheListInOrder) {
    FakeSerialPortEnumerator devices;
    SerialPortManager& manager = sharedManagerMadeOffMain();
    std::atomic<int> announcements{0};
    const auto count = [&](const auto&) { announcements.fetch_add(1); };
    Platform::NotificationCenter& centre = Platform::NotificationCenter::defaultCenter();
    const uint64_t connected =
        centre.addObserver(SerialPortManager::SerialPortWasConnectedNotification, nullptr, count);
    const uint64_t disconnected =
        centre.addObserver(SerialPortManager::SerialPortWasDisconnectedNotification, nullptr, count);

    constexpr int announcers = 4;
    constexpr int rounds = 20;
    std::vector<std::unique_ptr<PtyBox>> boxes;
    for (int box = 0; box < announcers; ++box)
        boxes.push_back(std::make_unique<PtyBox>("ttyFAKE" + std::to_string(box)));
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        while (reading.load())
            for (const auto& port : manager.availablePorts())
                EXPECT_FALSE(port->name().empty());
    });
    std::vector<std::thread> threads;
    for (int box = 0; box < announcers; ++box)
        threads.emplace_back([&, box] {
            for (int round = 0; round < rounds; ++round) {
                devices.announceArrival({boxes[box]->device()});
                devices.announceRemoval({boxes[box]->device()});
            }
        });
    for (auto& thread : threads)
        thread.join();
    ASSERT_TRUE(pumpUntil([&] { return announcements.load() == announcers * rounds * 2; }));
    reading.store(false);
    reader.join();
    const SerialPortManager::Ports listed = manager.availablePorts();
    for (const auto& box : boxes)
        EXPECT_TRUE(std::none_of(listed.begin(), listed.end(),
                                 [&](const auto& port) { return port->path() == box->slavePath(); }));
    centre.removeObserver(connected);
    centre.removeObserver(disconnected);
}

// Requests from two threads at once, each answered by the box: every answer goes to its own
// request, in the order the requests were written.
TEST_F(PortOnPty, RequestsFromTwoThreadsAreAnsweredOneByOne) {
    ASSERT_TRUE(openAndWait());
    constexpr int perThread = 25;
    for (int thread = 0; thread < 2; ++thread)
        for (int number = 0; number < perThread; ++number) {
            const std::string name = std::to_string(thread) + "-" + std::to_string(number);
            box.answer("Q" + name, "OK " + name + "\r\n");
        }
    std::vector<std::thread> senders;
    for (int thread = 0; thread < 2; ++thread)
        senders.emplace_back([&, thread] {
            for (int number = 0; number < perThread; ++number) {
                const std::string name = std::to_string(thread) + "-" + std::to_string(number);
                auto response = std::make_shared<const SerialPacketDescriptor>(
                    std::string("OK"), std::string("\r\n"), 64, std::any());
                EXPECT_TRUE(port->sendRequest(SerialRequest::requestWithDataToSend(
                    "Q" + name + "\r\n", std::any(), 0, std::move(response))));
            }
        });
    for (auto& sender : senders)
        sender.join();
    ASSERT_TRUE(pumpUntil([&] { return recorder.events().size() == 1 + 2 * perThread; }));
    for (const std::string& event : recorder.events()) {
        if (event == "opened")
            continue;
        // "response OK 1-7\r\n to Q1-7\r\n"
        const std::string name = event.substr(12, event.find("\r\n") - 12);
        EXPECT_EQ(event, "response OK " + name + "\r\n to Q" + name + "\r\n");
    }
}

// A delegate released on the main thread between a request's time-out (on the port's queue)
// and its delivery must not stall the queue: the next request still goes out.
TEST_F(PortOnPty, TheNextRequestFollowsWhenTheTimeoutsDelegateIsGone) {
    ASSERT_TRUE(openAndWait());
    auto hearer = std::make_shared<SerialPortDelegate>();
    std::atomic<bool> heard{false};
    hearer->serialPortRequestDidTimeout = [&](SerialPortInterface&, const SerialRequest&) { heard = true; };
    port->setDelegate(hearer);
    const auto answer = std::make_shared<const SerialPacketDescriptor>(std::string("OK"), std::string("\r\n"),
                                                                       64, std::any());
    port->sendRequest(SerialRequest::requestWithDataToSend(std::string("S\r"), std::any(), 0.02, answer));
    port->sendRequest(SerialRequest::requestWithDataToSend(std::string("N\r"), std::any(), 0, answer));
    ASSERT_TRUE(spinUntil([] { return Platform::MainQueue::shared().pendingCount() > 0; }));
    hearer.reset();
    ASSERT_TRUE(pumpUntil([&] { return box.received() == "S\rN\r"; }));
    EXPECT_FALSE(heard.load());
    EXPECT_TRUE(port->queuedRequests().empty());
}

} // namespace
