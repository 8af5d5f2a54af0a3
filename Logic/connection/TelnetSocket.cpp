#include "Logic/connection/TelnetSocket.h"

#include "Platform/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds WAIT_SLICE{100};

// The IPv4 address of host, port filled in; false when it does not resolve.
bool resolve(const std::string& host, int32_t port, sockaddr_in& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int result = 0;
    do {
        result = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    } while (result == EAI_SYSTEM && errno == EINTR);
    if (result != 0 || found == nullptr)
        return false;
    std::memcpy(&address, found->ai_addr, sizeof(address));
    ::freeaddrinfo(found);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return true;
}

// The trace shows the text up to its first NUL; the log adds the line end the text ends with.
std::string traceLine(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    return "[TELNET] >>> " + std::string(text);
}

} // namespace

TelnetSocket::TelnetSocket(int32_t domain, int32_t type, int32_t protocol)
    : m_fd(::socket(domain, type | SOCK_CLOEXEC, protocol)) {
    if (m_fd < 0)
        m_closed.store(true);
}

TelnetSocket::~TelnetSocket() {
    if (m_fd >= 0)
        ::close(m_fd);
}

int32_t TelnetSocket::connect(const std::string& host, int32_t port, std::chrono::milliseconds wait,
                              const std::atomic<bool>* cancel) {
    m_status.store(-1);
    sockaddr_in address{};
    // A port the 16-bit field cannot hold would silently become another port.
    if (m_closed.load() || host.empty() || port < 1 || port > 65535 || !resolve(host, port, address))
        return -1;
    const int reuse = 1;
    if (::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse)) != 0) {
        close();
        return -1;
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0 && (flags & O_NONBLOCK) == 0)
        ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);

    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        m_status.store(0);
        return 0;
    }
    // An interrupted connect goes on in the background, as one in progress does.
    if (errno != EINPROGRESS && errno != EINTR) {
        close();
        return -1;
    }
    bool timedOut = false;
    if (!waitWritable(wait, cancel, timedOut)) {
        if (timedOut) {
            m_status.store(-2);
            return -2;
        }
        close();
        return -1;
    }
    int error = 0;
    socklen_t length = sizeof(error);
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        close();
        return -1;
    }
    m_status.store(0);
    return 0;
}

int32_t TelnetSocket::send(const std::string& data, int32_t length) {
    return send(data, length, data);
}

int32_t TelnetSocket::send(const std::string& data, int32_t length, std::string_view shownAs) {
    std::lock_guard lock(m_sendMutex);
    if (m_fd < 1 || m_status.load() < 0 || m_closed.load())
        return 0;
    Platform::Log::err(traceLine(shownAs));
    const size_t total = std::min(static_cast<size_t>(std::max(length, 0)), data.size());
    size_t sent = 0;
    while (sent < total) {
        // MSG_NOSIGNAL: a peer that went away gives EPIPE here, not a signal that ends us.
        const ssize_t result = ::send(m_fd, data.data() + sent, total - sent, MSG_NOSIGNAL);
        if (result > 0) {
            sent += static_cast<size_t>(result);
            continue;
        }
        if (result < 0 && errno == EINTR)
            continue;
        bool timedOut = false;
        if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
            waitWritable(m_sendWait, nullptr, timedOut))
            continue;
        close();
        return -1;
    }
    return static_cast<int32_t>(sent);
}

int32_t TelnetSocket::recv(void* buffer, int32_t length) {
    if (m_fd < 1 || m_closed.load())
        return 0;
    ssize_t result = 0;
    do {
        result = ::recv(m_fd, buffer, static_cast<size_t>(std::max(length, 0)), 0);
    } while (result < 0 && errno == EINTR);
    return static_cast<int32_t>(result);
}

int32_t TelnetSocket::close() {
    m_status.store(-1);
    if (m_fd < 0 || m_closed.exchange(true))
        return -1;
    return ::shutdown(m_fd, SHUT_RDWR) == 0 ? 0 : -1;
}

bool TelnetSocket::waitWritable(std::chrono::milliseconds wait, const std::atomic<bool>* cancel,
                                bool& timedOut) const {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (cancel != nullptr && cancel->load())
            return false;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            timedOut = true;
            return false;
        }
        // Rounded up: cut to whole milliseconds, the last slice would end the wait early.
        const auto slice = std::min(std::chrono::ceil<std::chrono::milliseconds>(left), WAIT_SLICE);
        pollfd entry{m_fd, POLLOUT, 0};
        const int result = ::poll(&entry, 1, static_cast<int>(slice.count()));
        if (result > 0)
            return true;
        if (result < 0 && errno != EINTR)
            return false;
    }
}
