#pragma once

#include "Logic/connection/Serial/PosixError.h"
#include "Logic/connection/Serial/SerialPort.h"
#include "Logic/connection/Serial/SerialPortDelegate.h"
#include "Logic/connection/Serial/SerialPortManager.h"
#include "Platform/MainQueue.h"
#include "support/FakeSerialPortEnumerator.h"
#include "support/PtyBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <any>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <termios.h>
#include <thread>
#include <vector>

namespace serialtest {

using namespace std::chrono_literals;

// Long enough for a loaded machine under a sanitizer; a passing test never waits it out.
constexpr std::chrono::milliseconds patience = 5s;

// Runs the main queue (the test thread is main) until done() or the patience runs out.
inline bool pumpUntil(const std::function<bool()>& done) {
    return Platform::MainQueue::shared().pumpUntil(done, patience);
}

// Waits, without running the main queue, for something another thread does (a reader taking
// bytes off the line): for ordering tests that must hold the main queue back meanwhile.
inline bool spinUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// A delegate that writes down every callback as a short text, in the order they came, and
// checks they came on the main queue (the test thread).
class RecordingDelegate {
public:
    RecordingDelegate()
        : m_delegate(std::make_shared<SerialPortDelegate>()), m_mainThread(std::this_thread::get_id()) {
        m_delegate->serialPortWasOpened = [this](SerialPortInterface&) { note("opened"); };
        m_delegate->serialPortWasClosed = [this](SerialPortInterface&) { note("closed"); };
        m_delegate->serialPortWasRemovedFromSystem = [this](SerialPortInterface&) { note("removed"); };
        m_delegate->serialPortDidReceiveData = [this](SerialPortInterface&, const std::string& bytes) {
            m_data += bytes;
            note("data");
        };
        m_delegate->serialPortDidEncounterError = [this](SerialPortInterface&, const PosixError& error) {
            m_errors.push_back(error);
            note("error " + std::to_string(error.code));
        };
        m_delegate->serialPortRequestDidTimeout = [this](SerialPortInterface&, const SerialRequest& request) {
            note("timeout " + std::string(request.dataToSend()));
        };
        m_delegate->serialPortDidReceivePacket = [this](SerialPortInterface&, const std::string& packet,
                                                        const SerialPacketDescriptor& descriptor) {
            note("packet " + packet + (descriptor.userInfo().has_value() ? " #" + tag(descriptor) : ""));
        };
        m_delegate->serialPortDidReceiveResponse = [this](SerialPortInterface&, const std::string& response,
                                                          const SerialRequest& request) {
            note("response " + response + " to " + request.dataToSend());
        };
    }

    std::shared_ptr<SerialPortDelegate> delegate() const { return m_delegate; }
    // The events other than "data" (whose bytes gather in data()).
    std::vector<std::string> events() const {
        std::vector<std::string> kept;
        std::copy_if(m_events.begin(), m_events.end(), std::back_inserter(kept),
                     [](const std::string& event) { return event != "data"; });
        return kept;
    }
    // Every event, "data" included.
    const std::vector<std::string>& allEvents() const { return m_events; }
    const std::string& data() const { return m_data; }
    const std::vector<PosixError>& errors() const { return m_errors; }
    size_t count(const std::string& event) const {
        return static_cast<size_t>(std::count(m_events.begin(), m_events.end(), event));
    }
    bool wrongThread() const { return m_wrongThread; }
    void clear() {
        m_events.clear();
        m_data.clear();
        m_errors.clear();
    }

private:
    static std::string tag(const SerialPacketDescriptor& descriptor) {
        const auto* text = std::any_cast<std::string>(&descriptor.userInfo());
        return text != nullptr ? *text : std::string("?");
    }
    void note(const std::string& event) {
        if (std::this_thread::get_id() != m_mainThread)
            m_wrongThread = true;
        m_events.push_back(event);
    }

    std::shared_ptr<SerialPortDelegate> m_delegate;
    std::thread::id m_mainThread;
    std::vector<std::string> m_events;
    std::string m_data;
    std::vector<PosixError> m_errors;
    bool m_wrongThread = false;
};

// Whether the shared manager exists already in this test process (tests make it only through
// sharedManagerMadeOffMain).
inline bool& managerMade() {
    static bool made = false;
    return made;
}

// The shared manager, made the first time from another thread: its arrivals and removals must
// reach the main queue whoever made it.
inline SerialPortManager& sharedManagerMadeOffMain() {
    static SerialPortManager* const manager = [] {
        managerMade() = true;
        SerialPortManager* made = nullptr;
        std::thread maker([&made] { made = &SerialPortManager::sharedSerialPortManager(); });
        maker.join();
        return made;
    }();
    return *manager;
}

// A port on a fresh pseudo-terminal, listed by a fake enumerator, with a recording delegate.
class PortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        port = SerialPort::serialPortWithDevice(box.device());
        port->setDelegate(recorder.delegate());
    }
    void TearDown() override {
        port->close();
        Platform::MainQueue::shared().runPending();
        EXPECT_FALSE(recorder.wrongThread());
        port.reset();
    }

    // The line as the box sees it: termios calls on the master act on the slave.
    termios line() const {
        termios settings{};
        tcgetattr(box.masterDescriptor(), &settings);
        return settings;
    }
    bool openAndWait() {
        const size_t opened = recorder.count("opened");
        const size_t failed = recorder.errors().size();
        port->open();
        return pumpUntil(
                   [&] { return recorder.count("opened") > opened || recorder.errors().size() > failed; }) &&
               port->isOpen();
    }
    bool waitForEvent(const std::string& event, size_t times = 1) {
        return pumpUntil([&] { return recorder.count(event) >= times; });
    }

    PtyBox box;
    FakeSerialPortEnumerator ports{{box.device()}};
    RecordingDelegate recorder;
    std::shared_ptr<SerialPort> port;
};

// Entries of a /proc folder: open descriptors ("fd") or threads ("task") of this process.
inline size_t processEntries(const char* folder) {
    size_t count = 0;
    std::error_code error;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(std::string("/proc/self/") + folder, error))
        ++count;
    return count;
}

} // namespace serialtest
