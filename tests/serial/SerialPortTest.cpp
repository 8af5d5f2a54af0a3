#include "Logic/connection/Serial/SerialPort.h"
#include "Logic/connection/Serial/PosixError.h"
#include "Logic/connection/Serial/Termios2.h"
#include "serial/SerialTestSupport.h"
#include "support/CapturingLog.h"
#include "support/FakeSerialPortEnumerator.h"
#include "support/PtyBox.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace serialtest;

using SerialPortOnPty = PortOnPty;

TEST_F(SerialPortOnPty, OneLivePortPerPathFoundByPathOrDevice) {
    EXPECT_EQ(SerialPort::serialPortWithDevice(box.device()), port);
    EXPECT_EQ(SerialPort::serialPortWithPath(box.slavePath()), port);
    EXPECT_EQ(SerialPort::existingPortWithPath(box.slavePath()), port);
    EXPECT_EQ(SerialPort::serialPortWithPath("/dev/ttyNOPE9"), nullptr);
    EXPECT_FALSE(SerialPort::deviceFromBSDPath(""));
    EXPECT_EQ(SerialPort::deviceFromBSDPath(box.slavePath()), box.device());
    EXPECT_EQ(port->name(), "ttyFAKE0");
    EXPECT_EQ(port->description(), "ttyFAKE0");
    EXPECT_EQ(port->path(), box.slavePath());

    // The defaults of a new port.
    EXPECT_EQ(port->baudRate(), 19200U);
    EXPECT_EQ(port->numberOfStopBits(), 1U);
    EXPECT_EQ(port->parity(), 0U);
    EXPECT_FALSE(port->allowsNonStandardBaudRates() || port->shouldEchoReceivedData() || port->RTS() ||
                 port->DTR() || port->usesRTSCTSFlowControl() || port->usesDTRDSRFlowControl() ||
                 port->usesDCDOutputFlowControl() || port->isOpen());
    EXPECT_EQ(port->fileDescriptor(), -1);

    try {
        SerialPort::serialPortWithDevice(Platform::SerialDevice{});
        ADD_FAILURE() << "a device without a path made a port";
    } catch (const std::invalid_argument& misuse) {
        EXPECT_STREQ(misuse.what(), "serialPortWithDevice requires non-zero device argument.");
    }

    // Once the last holder lets go, the path is free for a new port.
    const SerialPort* old = port.get();
    port.reset();
    EXPECT_EQ(SerialPort::existingPortWithPath(box.slavePath()), nullptr);
    port = SerialPort::serialPortWithPath(box.slavePath());
    ASSERT_NE(port, nullptr);
    port->setDelegate(recorder.delegate());
    EXPECT_EQ(SerialPort::existingPortWithPath(box.slavePath()).get(), port.get());
    static_cast<void>(old);
}

// The line must be raw 8N1 at the chosen speed while open, and exactly as found after close,
// or the next program to use the line inherits our settings.
TEST_F(SerialPortOnPty, OpenConfiguresARawLineAndCloseRestoresIt) {
    const termios before = line();
    port->setBaudRate(57600);
    port->setParity(0);
    port->setNumberOfStopBits(1);
    ASSERT_TRUE(openAndWait());

    const termios open = line();
    EXPECT_EQ(open.c_oflag & OPOST, 0U);
    EXPECT_EQ(open.c_iflag & (ICRNL | IXON), 0U);
    EXPECT_EQ(open.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0U);
    EXPECT_EQ(open.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(open.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0U);
    EXPECT_EQ(open.c_cflag & (HUPCL | CLOCAL | CREAD), static_cast<tcflag_t>(HUPCL | CLOCAL | CREAD));
    EXPECT_EQ(open.c_cc[VMIN], 1);
    EXPECT_EQ(open.c_cc[VTIME], 2);
    EXPECT_EQ(cfgetispeed(&open), static_cast<speed_t>(B57600));
    EXPECT_EQ(cfgetospeed(&open), static_cast<speed_t>(B57600));

    EXPECT_TRUE(port->close());
    EXPECT_FALSE(port->isOpen());
    const termios after = line();
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(std::memcmp(after.c_cc, before.c_cc, sizeof before.c_cc), 0);
    EXPECT_TRUE(waitForEvent("closed"));
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened", "closed"}));
}

// Each setting reaches an open line at once. (A pseudo-terminal forces PARENB off, so parity
// shows only in PARODD here.)
TEST_F(SerialPortOnPty, SettingsApplyToAnOpenLine) {
    ASSERT_TRUE(openAndWait());
    struct Case {
        const char* what;
        std::function<void()> change;
        tcflag_t termios::*field;
        tcflag_t mask;
        tcflag_t expected;
    };
    const std::vector<Case> cases = {
        {"odd parity", [&] { port->setParity(1); }, &termios::c_cflag, PARODD, PARODD},
        {"even parity", [&] { port->setParity(2); }, &termios::c_cflag, PARODD, 0},
        {"three stop bits mean two", [&] { port->setNumberOfStopBits(3); }, &termios::c_cflag, CSTOPB,
         CSTOPB},
        {"one stop bit", [&] { port->setNumberOfStopBits(1); }, &termios::c_cflag, CSTOPB, 0},
        {"echo", [&] { port->setShouldEchoReceivedData(true); }, &termios::c_lflag, ECHO, ECHO},
        {"RTS/CTS flow control", [&] { port->setUsesRTSCTSFlowControl(true); }, &termios::c_cflag, CRTSCTS,
         CRTSCTS},
        {"flow control off", [&] { port->setUsesRTSCTSFlowControl(false); }, &termios::c_cflag, CRTSCTS, 0},
    };
    for (const Case& row : cases) {
        row.change();
        EXPECT_TRUE(port->isOpen()) << row.what;
        EXPECT_EQ(line().*row.field & row.mask, row.expected) << row.what;
    }
    port->setParity(7);
    EXPECT_EQ(port->parity(), 0U);

    // A flow-control change reopened the port twice: closed and opened again each time.
    ASSERT_TRUE(waitForEvent("opened", 3));
    EXPECT_EQ(recorder.events(),
              (std::vector<std::string>{"opened", "closed", "opened", "closed", "opened"}));
    EXPECT_TRUE(recorder.errors().empty());
}

TEST_F(SerialPortOnPty, RatesOffTheTableNeedPermission) {
    // A closed port only stores the rate; the next open applies it.
    port->setBaudRate(115200);
    EXPECT_EQ(port->baudRate(), 115200U);
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(cfgetospeed(&static_cast<const termios&>(line())), static_cast<speed_t>(B115200));

    // glibc would read 250000 as an error and 13 as 9600; neither may slip through.
    port->setBaudRate(250000);
    ASSERT_TRUE(pumpUntil([&] { return !recorder.errors().empty(); }));
    EXPECT_EQ(recorder.errors().back().code, EINVAL);
    EXPECT_EQ(recorder.errors().back().path, box.slavePath());
    port->setBaudRate(13);
    ASSERT_TRUE(pumpUntil([&] { return recorder.errors().size() == 2; }));
    EXPECT_EQ(cfgetospeed(&static_cast<const termios&>(line())), static_cast<speed_t>(B115200));

    port->setAllowsNonStandardBaudRates(true);
    port->setBaudRate(250000);
    uint32_t input = 0;
    uint32_t output = 0;
    ASSERT_EQ(readBaudRates(box.spareSlaveDescriptor(), input, output), 0);
    EXPECT_EQ(input, 250000U);
    EXPECT_EQ(output, 250000U);
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(recorder.errors().size(), 2U);
}

TEST_F(SerialPortOnPty, OpensExclusivelyAndOnlyOnce) {
    ASSERT_TRUE(openAndWait());
    const int descriptor = port->fileDescriptor();
    port->open();
    EXPECT_EQ(port->fileDescriptor(), descriptor);
    int exclusive = 0;
    ASSERT_EQ(ioctl(box.spareSlaveDescriptor(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    // Another opener honouring the lock is kept out.
    const int other = ::open(box.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);

    port->close();
    ASSERT_EQ(ioctl(box.spareSlaveDescriptor(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    Platform::MainQueue::shared().runPending();
    EXPECT_EQ(recorder.count("opened"), 1U);
}

TEST_F(SerialPortOnPty, ALineHeldByAnotherProgramIsReportedAndNotTouched) {
    const int holder = ::open(box.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(ioctl(holder, TIOCEXCL), 0);
    port->open();
    ASSERT_TRUE(pumpUntil([&] { return !recorder.errors().empty(); }));
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(recorder.errors()[0].code, EWOULDBLOCK);
    EXPECT_EQ(recorder.errors()[0].path, box.slavePath());
    EXPECT_EQ(recorder.errors()[0].message, std::strerror(EWOULDBLOCK));
    // The holder's exclusive mark stays: clearing it would let others in behind its back.
    int exclusive = 0;
    ASSERT_EQ(ioctl(holder, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    ioctl(holder, TIOCNXCL);
    ::close(holder);

    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(recorder.events(),
              (std::vector<std::string>{"error " + std::to_string(EWOULDBLOCK), "opened"}));
}

TEST_F(SerialPortOnPty, WritesReachTheBoxAndReadsReachTheDelegateInOrder) {
    EXPECT_FALSE(port->sendData("too early"));
    ASSERT_TRUE(openAndWait());
    EXPECT_TRUE(port->sendData(""));
    EXPECT_TRUE(port->sendData("EP UA 1 INQUIRE REG_STATUS\r\n"));
    EXPECT_TRUE(box.waitForReceived("EP UA 1 INQUIRE REG_STATUS\r\n", patience));

    std::string sent;
    for (int chunk = 0; chunk < 40; ++chunk)
        sent += "reply " + std::to_string(chunk) + "\n\r=> ";
    ASSERT_TRUE(box.write(sent));
    ASSERT_TRUE(pumpUntil([&] { return recorder.data().size() == sent.size(); }));
    EXPECT_EQ(recorder.data(), sent);
    EXPECT_TRUE(recorder.errors().empty());
}

TEST_F(SerialPortOnPty, ClosedIsAlwaysQueuedAheadOfTheNextOpened) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        port->open();
        ASSERT_TRUE(port->isOpen());
        port->close();
        ASSERT_FALSE(port->isOpen());
    }
    port->open();
    ASSERT_TRUE(pumpUntil([&] { return recorder.count("opened") == 4; }));
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened", "closed", "opened", "closed", "opened",
                                                           "closed", "opened"}));
}

// A pulled cable while idle: one error, the removal, the close, and the port can be used again.
TEST_F(SerialPortOnPty, AHungUpLineIsReportedOnceAndClosed) {
    ASSERT_TRUE(openAndWait());
    box.closeMaster();
    ASSERT_TRUE(waitForEvent("closed"));
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(recorder.events(),
              (std::vector<std::string>{"opened", "error " + std::to_string(EIO), "removed", "closed"}));
    EXPECT_FALSE(port->sendData("x"));

    PtyBox next("ttyFAKE1");
    auto other = SerialPort::serialPortWithDevice(next.device());
    RecordingDelegate otherRecorder;
    other->setDelegate(otherRecorder.delegate());
    other->open();
    ASSERT_TRUE(pumpUntil([&] { return otherRecorder.count("opened") == 1; }));
    other->close();
    Platform::MainQueue::shared().runPending();
}

// Bytes read before the hang-up reach the delegate before the error does.
TEST_F(SerialPortOnPty, DataReadBeforeAHangUpComesFirst) {
    ASSERT_TRUE(openAndWait());
    ASSERT_TRUE(box.write("last words\n\r=> "));
    // The reader takes the bytes off the line before the cable goes; they wait on the main queue.
    ASSERT_TRUE(spinUntil([] { return Platform::MainQueue::shared().pendingCount() > 0; }));
    box.closeMaster();
    ASSERT_TRUE(waitForEvent("closed"));
    EXPECT_EQ(recorder.data(), "last words\n\r=> ");
    const std::vector<std::string>& all = recorder.allEvents();
    ASSERT_GE(all.size(), 3U);
    EXPECT_EQ(all[1], "data");
    EXPECT_EQ(all[all.size() - 3], "error " + std::to_string(EIO));
}

// A box that stopped reading leaves a write blocked; pulling the cable must end it with false,
// and a close from another thread must end it too, rather than freeze the caller.
TEST_F(SerialPortOnPty, ABlockedWriteEndsWhenTheLineGoesOrThePortCloses) {
    const std::string burst(64 * 1024, 'A');
    for (const bool pullCable : {true, false}) {
        SCOPED_TRACE(pullCable ? "cable pulled" : "port closed");
        PtyBox stalled(pullCable ? "ttyFAKE1" : "ttyFAKE2");
        auto blocked = SerialPort::serialPortWithDevice(stalled.device());
        RecordingDelegate blockedRecorder;
        blocked->setDelegate(blockedRecorder.delegate());
        stalled.setDraining(false);
        blocked->open();
        ASSERT_TRUE(blocked->isOpen());

        std::atomic<int> result{-1};
        std::thread writer([&] { result = blocked->sendData(burst) ? 1 : 0; });
        // The line takes far less than the burst: once bytes reach the box, the writer is stuck.
        pollfd master{stalled.masterDescriptor(), POLLIN, 0};
        ASSERT_EQ(::poll(&master, 1, static_cast<int>(patience.count())), 1);
        EXPECT_EQ(result.load(), -1);
        if (pullCable)
            stalled.closeMaster();
        else
            blocked->close();
        writer.join();
        EXPECT_EQ(result.load(), 0);
        ASSERT_TRUE(pumpUntil([&] { return blockedRecorder.count("closed") == 1; }));
        Platform::MainQueue::shared().runPending();
        const std::vector<std::string> expected =
            pullCable
                ? std::vector<std::string>{"opened", "error " + std::to_string(EIO), "removed", "closed"}
                : std::vector<std::string>{"opened", "closed"};
        EXPECT_EQ(blockedRecorder.events(), expected);
        blocked->close();
    }
}

TEST_F(SerialPortOnPty, CleanupWarnsAndRemoves) {
    CapturingLog log;
    ASSERT_TRUE(openAndWait());
    port->cleanup();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(log.errLines(),
              (std::vector<std::string>{
                  "WARNING: Cleanup is deprecated and was never intended to be called publicly. You "
                  "should update your code to avoid calling this method."}));
    ASSERT_TRUE(waitForEvent("closed"));
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened", "removed", "closed"}));
}

// Modem lines, through a stand-in for the ioctl calls (a pseudo-terminal has none).
class SerialPortModemLines : public SerialPortOnPty {
protected:
    void SetUp() override {
        SerialPortOnPty::SetUp();
        SerialPort::setModemLineAccess({[this](int, int& bits) {
                                            std::lock_guard lock(mutex);
                                            ++reads;
                                            bits = lines;
                                            return readError;
                                        },
                                        [this](int, int bits) {
                                            std::lock_guard lock(mutex);
                                            written.push_back(bits);
                                            lines = bits | (lines & (TIOCM_CTS | TIOCM_DSR | TIOCM_CAR));
                                            return writeError;
                                        }});
    }
    void TearDown() override {
        SerialPortOnPty::TearDown();
        SerialPort::setModemLineAccess({});
    }
    void setInput(int bits, int error = 0) {
        std::lock_guard lock(mutex);
        lines = (lines & ~(TIOCM_CTS | TIOCM_DSR | TIOCM_CAR)) | bits;
        readError = error;
    }

    std::mutex mutex;
    int lines = TIOCM_RTS | TIOCM_DTR;
    int readError = 0;
    int writeError = 0;
    int reads = 0;
    std::vector<int> written;
};

TEST_F(SerialPortModemLines, OutputsStartLowAndInputsArePolled) {
    ASSERT_TRUE(openAndWait());
    {
        std::lock_guard lock(mutex);
        ASSERT_EQ(written.size(), 1U);
        EXPECT_EQ(written[0] & (TIOCM_RTS | TIOCM_DTR), 0);
    }
    port->setRTS(true);
    port->setDTR(true);
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(written.back() & (TIOCM_RTS | TIOCM_DTR), TIOCM_RTS | TIOCM_DTR);
    }

    std::vector<std::string> heard;
    const uint64_t observer = port->addObserver([&](const std::string& key) { heard.push_back(key); });
    setInput(TIOCM_CTS | TIOCM_CAR);
    ASSERT_TRUE(pumpUntil([&] { return port->CTS() && port->DCD(); }));
    EXPECT_FALSE(port->DSR());
    EXPECT_EQ(heard, (std::vector<std::string>{"CTS", "DCD"}));
    port->removeObserver(observer);

    // The device is gone: the poll's error takes the removal path.
    setInput(TIOCM_CTS | TIOCM_CAR, ENXIO);
    ASSERT_TRUE(waitForEvent("closed"));
    EXPECT_EQ(recorder.events(),
              (std::vector<std::string>{"opened", "error " + std::to_string(ENXIO), "removed", "closed"}));
}

// A failure of an earlier open that the main queue has not delivered yet must not reach the
// delegate of the next open, or the next open would be closed for it.
TEST_F(SerialPortModemLines, AnEarlierOpensFailureLeavesTheNextOpenAlone) {
    ASSERT_TRUE(openAndWait());
    {
        std::lock_guard lock(mutex);
        writeError = EIO;
    }
    port->setRTS(true); // the line refuses: an error for this open
    setInput(0, ENXIO); // and the device goes away
    ASSERT_TRUE(spinUntil([&] { return Platform::MainQueue::shared().pendingCount() >= 2; }));
    port->close();
    setInput(0);
    {
        std::lock_guard lock(mutex);
        writeError = 0;
    }
    port->open();
    ASSERT_TRUE(waitForEvent("opened", 2));
    Platform::MainQueue::shared().runPending();
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened", "closed", "opened"}));
}

TEST_F(SerialPortModemLines, ALineWithoutModemLinesIsNoError) {
    SerialPort::setModemLineAccess({[](int, int&) { return ENOTTY; }, [](int, int) { return ENOTTY; }});
    ASSERT_TRUE(openAndWait());
    port->setRTS(true);
    ASSERT_TRUE(port->sendData("still here\r\n"));
    ASSERT_TRUE(box.waitForReceived("still here", patience));
    Platform::MainQueue::shared().runPending();
    EXPECT_TRUE(recorder.errors().empty());
    EXPECT_TRUE(port->isOpen());
}

} // namespace

namespace {

// A dialer that quits with the port open must not leave the line raw and locked for the next
// program.
TEST(SerialPortExit, TheExitHandlerRestoresTheLine) {
    PtyBox box;
    termios before{};
    ASSERT_EQ(tcgetattr(box.masterDescriptor(), &before), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(TESSMARK_SERIAL_EXIT_PROGRAM, TESSMARK_SERIAL_EXIT_PROGRAM, box.slavePath().c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    termios after{};
    ASSERT_EQ(tcgetattr(box.masterDescriptor(), &after), 0);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    int exclusive = 1;
    ASSERT_EQ(ioctl(box.spareSlaveDescriptor(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
}

} // namespace
