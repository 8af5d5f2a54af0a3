#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

// The TCP client under the Telnet link: resolves the box's name, connects with a bounded
// wait, sends whole command lines with a trace line on standard error, reads raw bytes and
// closes. It knows nothing of lines or login. One object per connect attempt.
//
// close() only shuts the connection down and marks the socket closed; the descriptor itself
// is released by the destructor. So a thread still holding the object never reads or writes
// a descriptor number the system has handed to someone else.
class TelnetSocket {
public:
    static constexpr std::chrono::milliseconds DEFAULT_CONNECT_WAIT{30000};
    static constexpr std::chrono::milliseconds DEFAULT_SEND_WAIT{1000};

    // Creates the system socket; when that fails the object is closed from the start.
    TelnetSocket(int32_t domain, int32_t type, int32_t protocol);
    ~TelnetSocket();
    TelnetSocket(const TelnetSocket&) = delete;
    TelnetSocket& operator=(const TelnetSocket&) = delete;

    // The descriptor, -1 when creation failed; it stays valid until destruction.
    int32_t getFd() const { return m_fd; }
    // -1 not connected (also after close), 0 connected, -2 the connect wait ran out.
    int32_t getStatus() const { return m_status.load(); }
    bool isClosed() const { return m_closed.load(); }

    // 0 connected, -1 failed (name not resolved, port outside 1..65535, refused, cancelled),
    // -2 no answer within wait. cancel, when given, is looked at every 100 ms of the wait.
    int32_t connect(const std::string& host, int32_t port,
                    std::chrono::milliseconds wait = DEFAULT_CONNECT_WAIT,
                    const std::atomic<bool>* cancel = nullptr);

    // Sends length bytes of data, all of them, as one piece no other send can split. 0 (and no
    // trace) when closed or not connected; length when done; negative when the system refused
    // or the socket stayed full for the send wait, and then the socket is closed. The trace
    // shows shownAs instead of the data (a password).
    int32_t send(const std::string& data, int32_t length);
    int32_t send(const std::string& data, int32_t length, std::string_view shownAs);

    // One read of at most length bytes: 0 when closed (or the peer ended the stream), negative
    // when nothing could be read (nothing waiting included).
    int32_t recv(void* buffer, int32_t length);

    // Shuts the connection down (the peer sees the end of the stream) and marks the socket
    // closed; 0, or -1 when there was nothing to shut.
    int32_t close();

    void setSendWait(std::chrono::milliseconds wait) { m_sendWait = wait; }

private:
    // Waits until the descriptor is writable; false when wait ran out, cancel was set or the
    // poll failed.
    bool waitWritable(std::chrono::milliseconds wait, const std::atomic<bool>* cancel, bool& timedOut) const;

    const int32_t m_fd;
    std::atomic<int32_t> m_status{-1};
    std::atomic<bool> m_closed{false};
    std::chrono::milliseconds m_sendWait = DEFAULT_SEND_WAIT;
    // Keeps each line whole when several threads send.
    std::mutex m_sendMutex;
};
