#include "Logic/connection/TelnetSocket.h"
#include "support/CapturingLog.h"
#include "support/fakebox/FakeBox.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

using fakebox::Blackhole;
using fakebox::DropKind;
using fakebox::FakeBox;
using fakebox::FakeBoxScript;
using fakebox::RefusingPort;

// Every connect outcome with what it leaves behind: the result, whether the socket counts as
// closed, and whether a send then goes out.
TEST(TelnetSocket, ConnectOutcomes) {
    FakeBoxScript silent;
    silent.silent = true;
    FakeBox box(silent);
    RefusingPort refusing;
    Blackhole blackhole;
    const struct {
        const char* name;
        std::string host;
        int32_t port;
        int32_t result;
        bool closed;
    } cases[] = {
        {"accepted", "127.0.0.1", box.port(), 0, false},
        {"by name", "localhost", box.port(), 0, false},
        {"refused", "127.0.0.1", refusing.port(), -1, true},
        {"no host", "", box.port(), -1, false},
        {"port zero", "127.0.0.1", 0, -1, false},
        {"port too large", "127.0.0.1", 65536 + box.port(), -1, false},
        {"no handshake", "127.0.0.1", blackhole.port(), -2, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        CapturingLog log;
        TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
        EXPECT_EQ(socket.connect(test.host, test.port, 200ms), test.result);
        EXPECT_EQ(socket.getStatus(), test.result);
        EXPECT_EQ(socket.isClosed(), test.closed);
        const std::string line = "INQUIRE HOOK\r\n";
        const int32_t sent = socket.send(line, static_cast<int32_t>(line.size()));
        EXPECT_EQ(sent, test.result == 0 ? static_cast<int32_t>(line.size()) : 0);
        EXPECT_EQ(log.errLines().size(), test.result == 0 ? 1u : 0u);
    }
    EXPECT_TRUE(box.waitForLine("INQUIRE HOOK", 2s, 2));
}

// The handshake wait runs its whole time, however little of it is left over whole
// milliseconds; a stop cuts it within its 100 ms slice.
TEST(TelnetSocket, TheConnectWaitRunsItsTimeUnlessCancelled) {
    Blackhole blackhole;
    for (const auto wait : {1ms, 2ms, 7ms, 150ms}) {
        TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(socket.connect("127.0.0.1", blackhole.port(), wait), -2);
        EXPECT_GE(std::chrono::steady_clock::now() - start, wait) << wait.count() << " ms";
    }
    TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
    std::atomic<bool> cancel{true};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(socket.connect("127.0.0.1", blackhole.port(), 30s, &cancel), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(socket.isClosed());
}

// Lines go out whole, large ones too; the trace shows each line (a secret masked) with its own
// line end; close ends the peer's stream and makes later sends and reads return 0.
TEST(TelnetSocket, SendsWholeLinesAndTracesThem) {
    FakeBoxScript silent;
    silent.silent = true;
    FakeBox box(silent);
    CapturingLog log;
    TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(socket.connect("127.0.0.1", box.port()), 0);
    const std::string password = "s3cret\r\n";
    EXPECT_EQ(socket.send(password, static_cast<int32_t>(password.size()), "********\r\n"), 8);
    const std::string big = std::string(1 << 20, 'B') + "\r\n";
    EXPECT_EQ(socket.send(big, static_cast<int32_t>(big.size())), static_cast<int32_t>(big.size()));
    const std::string withNul("A\0B\r\n", 5);
    EXPECT_EQ(socket.send(withNul, 5), 5);
    ASSERT_TRUE(box.waitForLine(std::string("A\0B", 3), 5s));
    EXPECT_EQ(box.lines(1)[0], "s3cret");
    EXPECT_EQ(box.lines(1)[1].size(), 1u << 20);
    const auto traces = log.errLines();
    ASSERT_EQ(traces.size(), 3u);
    EXPECT_EQ(traces[0], "[TELNET] >>> ********\r");
    EXPECT_EQ(traces[2], "[TELNET] >>> A");

    EXPECT_EQ(socket.close(), 0);
    EXPECT_TRUE(box.waitForPeerClose(1, 2s));
    char buffer[8];
    EXPECT_EQ(socket.recv(buffer, sizeof(buffer)), 0);
    EXPECT_EQ(socket.send(password, 8), 0);
    EXPECT_EQ(log.errLines().size(), 3u);
    EXPECT_GE(socket.getFd(), 0);
}

std::atomic<int> brokenPipeSignals{0};

// A loopback listener on an ephemeral port; its port in address.
int listenOnLoopback(sockaddr_in& address) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(address);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    ::listen(listener, 1);
    return listener;
}

// A reset peer makes the send fail and close the socket; a send to a peer that closed its end
// meets a broken pipe, which must not raise the signal that ends the program; a peer that stops
// reading makes it give up after the send wait.
TEST(TelnetSocket, FailedSendsCloseTheSocket) {
    CapturingLog log;
    {
        // Silent, so the only thing the poll can see is the reset.
        FakeBoxScript silent;
        silent.silent = true;
        FakeBox box(silent);
        TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(socket.connect("127.0.0.1", box.port()), 0);
        ASSERT_TRUE(box.waitForConnections(1, 2s));
        box.drop(DropKind::Reset);
        pollfd entry{socket.getFd(), POLLIN, 0};
        ASSERT_EQ(::poll(&entry, 1, 2000), 1);
        const std::string line = "KEEP ALIVE\r\n";
        int32_t result = 0;
        // The first write after a reset may still be taken; the next one fails.
        for (int i = 0; i < 3 && result >= 0; ++i)
            result = socket.send(line, static_cast<int32_t>(line.size()));
        EXPECT_LT(result, 0);
        EXPECT_TRUE(socket.isClosed());
    }
    {
        // The peer closes; our next bytes draw its reset, and the send after that is refused
        // with EPIPE. The handler only counts, so a signal fails the test instead of ending it.
        sockaddr_in address{};
        const int listener = listenOnLoopback(address);
        TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(socket.connect("127.0.0.1", ntohs(address.sin_port)), 0);
        ::close(::accept(listener, nullptr, nullptr));
        pollfd ended{socket.getFd(), POLLIN, 0};
        ASSERT_EQ(::poll(&ended, 1, 2000), 1);
        const std::string line = "KEEP ALIVE\r\n";
        EXPECT_EQ(socket.send(line, static_cast<int32_t>(line.size())), static_cast<int32_t>(line.size()));
        pollfd reset{socket.getFd(), 0, 0};
        ASSERT_EQ(::poll(&reset, 1, 2000), 1);
        struct sigaction counting {};
        struct sigaction previous {};
        counting.sa_handler = [](int) { ++brokenPipeSignals; };
        ::sigaction(SIGPIPE, &counting, &previous);
        EXPECT_EQ(socket.send(line, static_cast<int32_t>(line.size())), -1);
        ::sigaction(SIGPIPE, &previous, nullptr);
        EXPECT_EQ(brokenPipeSignals.load(), 0);
        EXPECT_TRUE(socket.isClosed());
        ::close(listener);
    }
    {
        // A peer that accepts and never reads.
        sockaddr_in address{};
        const int listener = listenOnLoopback(address);
        TelnetSocket socket(AF_INET, SOCK_STREAM, 0);
        socket.setSendWait(50ms);
        ASSERT_EQ(socket.connect("127.0.0.1", ntohs(address.sin_port)), 0);
        const std::string flood(32 << 20, 'F');
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(socket.send(flood, static_cast<int32_t>(flood.size())), -1);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        EXPECT_TRUE(socket.isClosed());
        ::close(listener);
    }
}

} // namespace
