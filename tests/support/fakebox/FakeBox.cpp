#include "support/fakebox/FakeBox.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace fakebox {

namespace {

const std::string PREFIX = "(EP (?:UA \\S+|TELCO_RX \\S+|\\S+) )";
const std::string USER_PROMPT = "Username: ";
const std::string PASSWORD_PROMPT = "Password: ";
const std::string LEVEL_LINE = "Level: Administrator\r\n";
const std::string PROMPT = "=> ";

// A socket on 127.0.0.1 bound to port (0: an ephemeral one); fills in the port bound.
int bindLoopback(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("fake box: no socket");
    const int reuse = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t length = sizeof(address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("fake box: cannot bind 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

void setNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

std::vector<ReplyRule> FakeBoxScript::standardReplies() {
    const std::string call = "$1NOTIFICATION STATE_CHANGE PL 1;";
    return {
        {PREFIX + "SETTINGS DISPLAY_NAME", {"$1SETTINGS DISPLAY_NAME Front Desk"}},
        {PREFIX + "SETTINGS LOCAL_NUMBER", {"$1SETTINGS LOCAL_NUMBER 5550100"}},
        {PREFIX + "INQUIRE REG_STATUS", {"$1INQUIRE_RESULT REG_STATUS REGISTERED_PRIMARY"}},
        {PREFIX + "INQUIRE ACTIVE_PARTIES", {"$1INQUIRE_RESULT ACTIVE_PARTIES IDLE;IDLE;IDLE;IDLE;IDLE;"}},
        {PREFIX + "INQUIRE CFW_STATUS", {"$1INQUIRE_RESULT CFW_STATUS INACTIVE"}},
        {PREFIX + "INQUIRE DND_STATUS", {"$1INQUIRE_RESULT DND_STATUS DND_NOT_SET"}},
        {PREFIX + "INQUIRE HOOK", {"$1INQUIRE HOOK 0"}},
        {PREFIX + "INQUIRE OFF_HOOK_DURATION", {"$1INQUIRE OFF_HOOK_DURATION 0"}},
        {"EP (\\S+) LEVEL MAX_GAIN", {"EP $1 LEVEL MAX_GAIN 12"}},
        {"EP (\\S+) LEVEL MIN_GAIN", {"EP $1 LEVEL MIN_GAIN -100"}},
        {"EP (\\S+) LEVEL GAIN", {"EP $1 LEVEL GAIN -20"}},
        {"EP (\\S+) LEVEL MUTE", {"EP $1 LEVEL MUTE 0"}},
        {PREFIX + "KEY KEY_CALL (\\S+)", {call + "DIALING", call + "RINGING:$2", call + "ACTIVE:$2:0:0"}},
    };
}

struct FakeBox::Connection {
    enum class Phase { WaitUser, WaitPassword, WaitBinary, LoggedIn, Done };
    // One piece of output: bytes, or (after the bytes before it) a drop.
    struct Out {
        std::string bytes;
        std::optional<DropKind> drop;
    };

    int index = 0;
    int fd = -1;
    // No more output: dropped, or the dialer went away.
    bool closing = false;
    bool peerClosed = false;
    Phase phase = Phase::WaitUser;
    std::string userName;
    std::string partialLine;
    std::string received;
    std::deque<Out> outbox;
};

FakeBox::FakeBox(FakeBoxScript script, uint16_t port) : m_port(port) {
    setScript(std::move(script));
    m_listenFd = bindLoopback(m_port);
    setNonBlocking(m_listenFd);
    int pipeEnds[2];
    if (::listen(m_listenFd, 16) != 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(m_listenFd);
        throw std::runtime_error("fake box: cannot listen");
    }
    m_wakeRead = pipeEnds[0];
    m_wakeWrite = pipeEnds[1];
    m_thread = std::thread([this] { serve(); });
}

FakeBox::~FakeBox() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wake();
    m_thread.join();
    for (const auto& connection : m_connections) {
        if (connection->fd >= 0)
            ::close(connection->fd);
    }
    ::close(m_listenFd);
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
}

void FakeBox::setScript(FakeBoxScript script) {
    std::vector<std::pair<std::regex, std::vector<std::string>>> compiled;
    for (const ReplyRule& rule : script.replies)
        compiled.emplace_back(std::regex(rule.pattern), rule.answers);
    std::lock_guard lock(m_mutex);
    m_script = std::move(script);
    m_compiledReplies = std::move(compiled);
}

void FakeBox::setSilent(bool silent) {
    std::lock_guard lock(m_mutex);
    m_script.silent = silent;
}

bool FakeBox::send(const std::string& bytes, int connection) {
    bool sent = false;
    {
        std::lock_guard lock(m_mutex);
        if (Connection* found = findLocked(connection); found != nullptr && !found->closing) {
            writeTo(*found, bytes);
            sent = true;
        }
    }
    wake();
    return sent;
}

void FakeBox::sendChunks(const std::vector<std::string>& chunks, std::chrono::milliseconds gap,
                         int connection) {
    {
        std::lock_guard lock(m_mutex);
        const Connection* found = findLocked(connection);
        if (found == nullptr)
            return;
        auto due = std::chrono::steady_clock::now();
        for (const std::string& chunk : chunks) {
            m_scheduled.push_back(Scheduled{due, found->index, chunk});
            due += gap;
        }
    }
    wake();
}

void FakeBox::drop(DropKind kind, int connection) {
    {
        std::lock_guard lock(m_mutex);
        if (Connection* found = findLocked(connection))
            found->outbox.push_back(Connection::Out{"", kind});
    }
    wake();
}

int FakeBox::connectionCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_connections.size());
}

bool FakeBox::waitForConnections(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return static_cast<int>(m_connections.size()) >= count; });
}

bool FakeBox::waitForPeerClose(int connection, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] {
        return connection >= 1 && connection <= static_cast<int>(m_connections.size()) &&
               m_connections[connection - 1]->peerClosed;
    });
}

std::vector<std::string> FakeBox::lines() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> all;
    for (const auto& [connection, line] : m_lines)
        all.push_back(line);
    return all;
}

std::vector<std::string> FakeBox::lines(int connection) const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> some;
    for (const auto& [from, line] : m_lines) {
        if (from == connection)
            some.push_back(line);
    }
    return some;
}

std::vector<TranscriptLine> FakeBox::transcriptFrom(size_t first) const {
    std::lock_guard lock(m_mutex);
    if (first >= m_transcript.size())
        return {};
    return {m_transcript.begin() + static_cast<std::ptrdiff_t>(first), m_transcript.end()};
}

std::string FakeBox::received(int connection) const {
    std::lock_guard lock(m_mutex);
    if (connection < 1 || connection > static_cast<int>(m_connections.size()))
        return {};
    return m_connections[connection - 1]->received;
}

bool FakeBox::waitForLine(const std::string& line, std::chrono::milliseconds timeout, int count) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] {
        return countLinesLocked([&](const std::string& seen) { return seen == line; }) >=
               static_cast<size_t>(count);
    });
}

bool FakeBox::waitForLineMatching(const std::string& pattern, std::chrono::milliseconds timeout,
                                  int count) const {
    const std::regex compiled(pattern);
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] {
        return countLinesLocked([&](const std::string& seen) { return std::regex_match(seen, compiled); }) >=
               static_cast<size_t>(count);
    });
}

bool FakeBox::expectNothingWithin(std::chrono::milliseconds duration) const {
    std::unique_lock lock(m_mutex);
    const auto activity = m_lastActivity;
    m_changed.wait_for(lock, duration, [&] { return m_lastActivity != activity; });
    return m_lastActivity == activity;
}

size_t FakeBox::countLinesLocked(const std::function<bool(const std::string&)>& matches) const {
    size_t count = 0;
    for (const auto& [connection, line] : m_lines)
        count += matches(line) ? 1 : 0;
    return count;
}

void FakeBox::wake() const {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
}

FakeBox::Connection* FakeBox::findLocked(int connection) {
    if (connection == 0) {
        for (auto it = m_connections.rbegin(); it != m_connections.rend(); ++it) {
            if (!(*it)->closing)
                return it->get();
        }
        return nullptr;
    }
    if (connection < 1 || connection > static_cast<int>(m_connections.size()))
        return nullptr;
    return m_connections[connection - 1].get();
}

void FakeBox::serve() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        std::vector<pollfd> polled{{m_wakeRead, POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        for (const auto& connection : m_connections) {
            if (connection->fd < 0)
                continue;
            const short wanted = connection->outbox.empty() ? POLLIN : POLLIN | POLLOUT;
            polled.push_back({connection->fd, wanted, 0});
        }
        int timeout = -1;
        const auto now = std::chrono::steady_clock::now();
        for (const Scheduled& item : m_scheduled) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(item.due - now).count();
            timeout = timeout < 0 ? static_cast<int>(std::max<long long>(wait, 0))
                                  : std::min(timeout, static_cast<int>(std::max<long long>(wait, 0)));
        }
        lock.unlock();
        ::poll(polled.data(), polled.size(), timeout);
        lock.lock();
        if (m_stopping)
            break;
        if (polled[0].revents != 0) {
            char drain[64];
            while (::read(m_wakeRead, drain, sizeof(drain)) > 0) {
            }
        }
        if (polled[1].revents & POLLIN)
            acceptOne();
        for (size_t i = 2; i < polled.size(); ++i) {
            for (const auto& connection : m_connections) {
                if (connection->fd == polled[i].fd && polled[i].revents != 0)
                    readFrom(*connection);
            }
        }
        // Due chunks join their connection's output in order.
        const auto later = std::chrono::steady_clock::now();
        for (auto it = m_scheduled.begin(); it != m_scheduled.end();) {
            if (it->due <= later) {
                if (Connection* found = findLocked(it->connection))
                    writeTo(*found, it->bytes);
                it = m_scheduled.erase(it);
            } else {
                ++it;
            }
        }
        for (const auto& connection : m_connections) {
            while (connection->fd >= 0 && !connection->outbox.empty()) {
                Connection::Out& out = connection->outbox.front();
                if (out.drop) {
                    const DropKind kind = *out.drop;
                    connection->outbox.clear();
                    dropLocked(*connection, kind);
                    break;
                }
                const ssize_t written =
                    ::send(connection->fd, out.bytes.data(), out.bytes.size(), MSG_NOSIGNAL);
                if (written < 0) {
                    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                        connection->outbox.clear();
                    break;
                }
                out.bytes.erase(0, static_cast<size_t>(written));
                if (out.bytes.empty())
                    connection->outbox.pop_front();
            }
        }
        m_changed.notify_all();
    }
}

void FakeBox::acceptOne() {
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return;
    auto connection = std::make_unique<Connection>();
    connection->index = static_cast<int>(m_connections.size()) + 1;
    connection->fd = fd;
    m_connections.push_back(std::move(connection));
    m_lastActivity = std::chrono::steady_clock::now();
    Connection& added = *m_connections.back();
    if (m_script.silent)
        return;
    if (dropsAt(added, LoginStep::BeforeUsername)) {
        dropLocked(added, m_script.dropKind);
        return;
    }
    if (!m_script.refusal.empty()) {
        writeTo(added, m_script.refusal);
        added.phase = Connection::Phase::Done;
        return;
    }
    writeTo(added, USER_PROMPT);
}

void FakeBox::readFrom(Connection& connection) {
    // One read per round, so a dialer that floods us never keeps the waiters from looking.
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::recv(connection.fd, buffer, sizeof(buffer), 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (count <= 0) {
            // The dialer closed (or reset) its side.
            connection.peerClosed = true;
            connection.closing = true;
            connection.outbox.clear();
            ::close(connection.fd);
            connection.fd = -1;
            m_lastActivity = std::chrono::steady_clock::now();
            return;
        }
        const std::string bytes(buffer, static_cast<size_t>(count));
        connection.received += bytes;
        m_lastActivity = std::chrono::steady_clock::now();
        connection.partialLine += bytes;
        size_t end = 0;
        while ((end = connection.partialLine.find("\r\n")) != std::string::npos) {
            const std::string line = connection.partialLine.substr(0, end);
            connection.partialLine.erase(0, end + 2);
            m_lines.emplace_back(connection.index, line);
            if (m_script.keepTranscript)
                m_transcript.push_back(TranscriptLine{false, line});
            if (!connection.closing)
                handleLine(connection, line);
        }
        return;
    }
}

void FakeBox::handleLine(Connection& connection, const std::string& line) {
    if (m_script.silent)
        return;
    using Phase = Connection::Phase;
    switch (connection.phase) {
    case Phase::WaitUser:
        connection.userName = line;
        if (dropsAt(connection, LoginStep::AfterUserName)) {
            dropLocked(connection, m_script.dropKind);
            return;
        }
        connection.phase = Phase::WaitPassword;
        writeTo(connection, PASSWORD_PROMPT);
        return;
    case Phase::WaitPassword:
        if (dropsAt(connection, LoginStep::AfterPassword)) {
            dropLocked(connection, m_script.dropKind);
            return;
        }
        if (connection.userName != m_script.userName || line != m_script.password) {
            connection.phase = Phase::Done;
            writeTo(connection, m_script.invalidLogin);
            return;
        }
        if (m_script.levelStep) {
            connection.phase = Phase::WaitBinary;
            writeTo(connection, LEVEL_LINE);
            if (dropsAt(connection, LoginStep::AfterLevel))
                connection.outbox.push_back(Connection::Out{"", m_script.dropKind});
            return;
        }
        break;
    case Phase::WaitBinary:
        if (line != "BinaryMode")
            return;
        break;
    case Phase::LoggedIn:
        answerLoggedIn(connection, line);
        return;
    case Phase::Done:
        return;
    }
    connection.phase = Phase::LoggedIn;
    writeTo(connection, PROMPT);
    if (dropsAt(connection, LoginStep::AfterPrompt))
        connection.outbox.push_back(Connection::Out{"", m_script.dropKind});
}

void FakeBox::answerLoggedIn(Connection& connection, const std::string& line) {
    for (const auto& [pattern, answers] : m_compiledReplies) {
        std::smatch match;
        if (!std::regex_match(line, match, pattern))
            continue;
        for (const std::string& answer : answers)
            writeTo(connection, match.format(answer) + "\r\n");
        return;
    }
}

bool FakeBox::dropsAt(const Connection& connection, LoginStep step) const {
    return m_script.dropAt == step && connection.index <= m_script.dropConnections;
}

void FakeBox::writeTo(Connection& connection, const std::string& bytes) {
    if (connection.closing || bytes.empty())
        return;
    connection.outbox.push_back(Connection::Out{bytes, std::nullopt});
    if (!m_script.keepTranscript)
        return;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = std::min(bytes.find("\r\n", start), bytes.size());
        m_transcript.push_back(TranscriptLine{true, bytes.substr(start, end - start)});
        start = end + 2;
    }
}

void FakeBox::dropLocked(Connection& connection, DropKind kind) {
    if (connection.fd < 0 || connection.closing)
        return;
    connection.closing = true;
    connection.outbox.clear();
    if (kind == DropKind::Reset) {
        const linger reset{1, 0};
        ::setsockopt(connection.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof(reset));
        ::close(connection.fd);
        connection.fd = -1;
        return;
    }
    // Half-close: the dialer reads the end of the stream; we keep reading until it closes,
    // so unread input never turns our close into a reset.
    ::shutdown(connection.fd, SHUT_WR);
}

FakeBoxScript readScript(const std::string& text, std::vector<std::string>* problems) {
    FakeBoxScript script;
    size_t start = 0;
    int number = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t space = line.find(' ');
        const std::string keyword = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (keyword == "user") {
            script.userName = rest;
        } else if (keyword == "password") {
            script.password = rest;
        } else if (keyword == "level" && (rest == "on" || rest == "off")) {
            script.levelStep = rest == "on";
        } else if (keyword == "reply" && rest.find(" => ") != std::string::npos) {
            const size_t arrow = rest.find(" => ");
            ReplyRule rule{rest.substr(0, arrow), {}};
            std::string answers = rest.substr(arrow + 4);
            size_t cut = 0;
            while ((cut = answers.find(" || ")) != std::string::npos) {
                rule.answers.push_back(answers.substr(0, cut));
                answers.erase(0, cut + 4);
            }
            rule.answers.push_back(answers);
            try {
                std::regex check(rule.pattern);
                script.replies.push_back(std::move(rule));
            } catch (const std::regex_error&) {
                if (problems != nullptr)
                    problems->push_back("line " + std::to_string(number) + ": not a valid pattern");
            }
        } else if (problems != nullptr) {
            problems->push_back("line " + std::to_string(number) + ": not understood: " + line);
        }
    }
    return script;
}

RefusingPort::RefusingPort() {
    m_fd = bindLoopback(m_port);
}

RefusingPort::~RefusingPort() {
    ::close(m_fd);
}

Blackhole::Blackhole() {
    m_listenFd = bindLoopback(m_port);
    ::listen(m_listenFd, 0);
    // Fill the accept queue; the kernel then drops every further handshake.
    for (int i = 0; i < 8; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(m_port);
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        m_fillers.push_back(filler);
        pollfd entry{filler, POLLOUT, 0};
        if (::poll(&entry, 1, 100) == 0)
            break;
    }
}

Blackhole::~Blackhole() {
    for (const int filler : m_fillers)
        ::close(filler);
    ::close(m_listenFd);
}

} // namespace fakebox
