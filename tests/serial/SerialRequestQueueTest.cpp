#include "Logic/connection/Serial/SerialPacketDescriptor.h"
#include "Logic/connection/Serial/SerialRequest.h"
#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace serialtest;

std::shared_ptr<const SerialPacketDescriptor> lineEnd() {
    return std::make_shared<const SerialPacketDescriptor>(std::string("OK"), std::string("\r\n"), 64,
                                                          std::any());
}

std::shared_ptr<SerialRequest> request(const std::string& bytes, double timeout = 0,
                                       std::shared_ptr<const SerialPacketDescriptor> response = lineEnd()) {
    return SerialRequest::requestWithDataToSend(bytes, std::any(), timeout, std::move(response));
}

std::shared_ptr<const SerialPacketDescriptor> framed(const std::string& prefix, const std::string& suffix,
                                                     const std::string& tag) {
    return std::make_shared<const SerialPacketDescriptor>(prefix, suffix, 64, std::string(tag));
}

class SerialRequestQueue : public PortOnPty {
protected:
    void SetUp() override {
        PortOnPty::SetUp();
        ASSERT_TRUE(openAndWait());
    }
};

// One request at a time: the next waits until the first is answered, even when the answer
// comes in pieces.
TEST_F(SerialRequestQueue, RequestsAreWrittenOneAtATimeAndAnsweredInPieces) {
    const auto first = request("Q1\r");
    const auto second = request("Q2\r");
    EXPECT_TRUE(port->sendRequest(first));
    EXPECT_TRUE(port->sendRequest(second));
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{second}));
    ASSERT_TRUE(box.waitForReceived("Q1\r", patience));
    EXPECT_EQ(box.received(), "Q1\r");

    ASSERT_TRUE(box.write("noise O"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.data() == "noise O"; }));
    ASSERT_TRUE(box.write("K\r\n"));
    ASSERT_TRUE(box.waitForReceived("Q1\rQ2\r", patience));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("response OK\r\n to Q1\r") == 1; }));
    EXPECT_TRUE(port->queuedRequests().empty());

    ASSERT_TRUE(box.write("OK\r\n"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("response OK\r\n to Q2\r") == 1; }));
    EXPECT_EQ(recorder.events(),
              (std::vector<std::string>{"opened", "response OK\r\n to Q1\r", "response OK\r\n to Q2\r"}));
}

TEST_F(SerialRequestQueue, ARequestWithoutResponseEndsOnceWritten) {
    EXPECT_TRUE(port->sendRequest(request("A", 0, nullptr)));
    EXPECT_TRUE(port->sendRequest(request("B", 0, nullptr)));
    EXPECT_TRUE(port->queuedRequests().empty());
    ASSERT_TRUE(box.waitForReceived("AB", patience));
    ASSERT_TRUE(box.write("OK\r\n"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.data() == "OK\r\n"; }));
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened"}));
}

TEST_F(SerialRequestQueue, CancellingLeavesThePendingRequest) {
    const auto pending = request("P");
    const auto waiting = request("W");
    const auto later = request("L");
    port->sendRequest(pending);
    port->sendRequest(waiting);
    port->cancelQueuedRequest(pending);
    port->cancelQueuedRequest(nullptr);
    // The cancels run on the port's queue before this send, in order.
    port->sendRequest(later);
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{waiting, later}));
    port->cancelQueuedRequest(waiting);
    port->sendRequest(waiting);
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{later, waiting}));
    port->cancelAllQueuedRequests();
    port->sendRequest(later);
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{later}));

    // The pending one still takes its answer.
    ASSERT_TRUE(box.write("OK\r\n"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("response OK\r\n to P") == 1; }));
    ASSERT_TRUE(box.waitForReceived("PL", patience));
}

// A timed-out request stays pending, marked, until its delegate has heard of it: bytes in
// that window do not answer it, and requests sent meanwhile queue behind it.
TEST_F(SerialRequestQueue, ATimedOutRequestTakesNoAnswerAndTheNextFollows) {
    const auto slow = request("S\r", 0.02);
    const auto next = request("N\r");
    const auto meanwhile = request("M\r");
    port->startListeningForPacketsMatchingDescriptor(framed("O", "\r\n", "seen"));
    recorder.delegate()->serialPortRequestDidTimeout = [&](SerialPortInterface&,
                                                           const SerialRequest& timedOut) {
        EXPECT_EQ(&timedOut, slow.get());
        EXPECT_TRUE(port->sendRequest(meanwhile));
        // The answer arrives while the delegate is busy; the packet shows it was matched.
        EXPECT_TRUE(box.write("OK\r\n"));
        EXPECT_TRUE(pumpUntil([&] { return recorder.count("packet OK\r\n #seen") == 1; }));
        EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{next, meanwhile}));
    };
    EXPECT_TRUE(port->sendRequest(slow));
    EXPECT_TRUE(port->sendRequest(next));
    ASSERT_TRUE(pumpUntil([&] { return box.received() == "S\rN\r"; }));
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{meanwhile}));
    ASSERT_TRUE(box.write("OK\r\n"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("response OK\r\n to N\r") == 1; }));
    EXPECT_EQ(recorder.count("response OK\r\n to S\r"), 0U);
    EXPECT_TRUE(box.waitForReceived("S\rN\rM\r", patience));
}

// A time-out still on its way to the delegate when the port closes and opens again belongs to
// the old send: the same request sent again after the reopen stays pending for its answer, and
// the request behind it waits.
TEST_F(SerialRequestQueue, ATimeoutFromBeforeAReopenLeavesTheNewSendPending) {
    const auto slow = request("S\r", 0.02);
    const auto next = request("N\r");
    EXPECT_TRUE(port->sendRequest(slow));
    // The time-out ran on the port's queue; the delegate's call waits on the main queue.
    ASSERT_TRUE(spinUntil([] { return Platform::MainQueue::shared().pendingCount() > 0; }));
    port->close();
    port->open();
    ASSERT_TRUE(port->isOpen());
    slow->setTimeoutInterval(0);
    EXPECT_TRUE(port->sendRequest(slow));
    ASSERT_TRUE(waitForEvent("timeout S\r"));
    // Sent after the step that follows the delegate's call on the port's queue.
    EXPECT_TRUE(port->sendRequest(next));
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{next}));
    ASSERT_TRUE(box.write("OK\r\n"));
    ASSERT_TRUE(waitForEvent("response OK\r\n to S\r"));
    EXPECT_TRUE(box.waitForReceived("S\rS\rN\r", patience));
}

// Without a delegate that hears time-outs, the next request follows at once.
TEST_F(SerialRequestQueue, WithoutATimeoutCallbackTheNextRequestFollowsAtOnce) {
    recorder.delegate()->serialPortRequestDidTimeout = nullptr;
    port->sendRequest(request("S\r", 0.02));
    port->sendRequest(request("N\r"));
    ASSERT_TRUE(box.waitForReceived("S\rN\r", patience));
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened"}));
}

TEST_F(SerialRequestQueue, NoTimeoutMeansWaitingForever) {
    // A second line whose short time-out tells when the first would have timed out too.
    PtyBox clockBox("ttyFAKE1");
    auto clockPort = SerialPort::serialPortWithDevice(clockBox.device());
    RecordingDelegate clockRecorder;
    clockPort->setDelegate(clockRecorder.delegate());
    clockPort->open();
    for (const double never : {0.0, -1.0}) {
        const auto waiting = request("W");
        port->sendRequest(request("P", never));
        port->sendRequest(waiting);
        const size_t timeouts = clockRecorder.count("timeout T");
        clockPort->sendRequest(request("T", 0.03));
        ASSERT_TRUE(pumpUntil([&] { return clockRecorder.count("timeout T") > timeouts; }));
        EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{waiting})) << never;
        EXPECT_EQ(recorder.count("timeout P"), 0U);
        port->close();
        port->open();
    }
    clockPort->close();
    Platform::MainQueue::shared().runPending();
}

// A request that could not be written stays pending until a close clears the queue.
TEST_F(SerialRequestQueue, AnUnwrittenRequestWaitsForTheClose) {
    port->close();
    const auto unwritten = request("U");
    const auto behind = request("B");
    EXPECT_FALSE(port->sendRequest(unwritten));
    EXPECT_TRUE(port->sendRequest(behind));
    EXPECT_EQ(port->queuedRequests(), (std::vector<std::shared_ptr<SerialRequest>>{behind}));
    ASSERT_TRUE(openAndWait());
    port->close();
    // The close's reset runs on the port's queue, ahead of this send.
    EXPECT_FALSE(port->sendRequest(request("after", 0, nullptr)));
    EXPECT_TRUE(port->queuedRequests().empty());
}

TEST_F(SerialRequestQueue, PacketsAreFoundPerDescriptorAcrossChunks) {
    const auto angle = framed("<", ">", "angle");
    const auto letter = framed("A", ">", "letter");
    const auto bang = std::make_shared<const SerialPacketDescriptor>(std::string("!"), std::string("bang"));
    std::vector<std::string> changes;
    std::mutex changesMutex;
    const uint64_t observer = port->addObserver([&](const std::string& key) {
        std::lock_guard lock(changesMutex);
        changes.push_back(key);
    });
    port->startListeningForPacketsMatchingDescriptor(angle);
    port->startListeningForPacketsMatchingDescriptor(bang);
    ASSERT_TRUE(box.write("<x!"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("packet ! #bang") == 1; }));
    // Listening again changes nothing: the partial packet stays in its buffer.
    port->startListeningForPacketsMatchingDescriptor(angle);
    ASSERT_TRUE(box.write("y>"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("packet <x!y> #angle") == 1; }));

    // One byte may end a packet for two descriptors.
    port->startListeningForPacketsMatchingDescriptor(letter);
    EXPECT_EQ(port->packetDescriptors(),
              (std::vector<std::shared_ptr<const SerialPacketDescriptor>>{angle, bang, letter}));
    ASSERT_TRUE(box.write("<A>"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("packet <A> #angle") == 1; }));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("packet A> #letter") == 1; }));

    // Listening outlives a close and a reopen; a descriptor no longer listened for is quiet.
    port->stopListeningForPacketsMatchingDescriptor(bang);
    port->close();
    ASSERT_TRUE(openAndWait());
    ASSERT_TRUE(box.write("<!>"));
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("packet <!> #angle") == 1; }));
    EXPECT_EQ(recorder.count("packet ! #bang"), 1U);
    EXPECT_EQ(port->packetDescriptors(),
              (std::vector<std::shared_ptr<const SerialPacketDescriptor>>{angle, letter}));
    port->removeObserver(observer);
    std::lock_guard lock(changesMutex);
    EXPECT_EQ(std::count(changes.begin(), changes.end(), "packetDescriptors"), 4);
}

} // namespace
