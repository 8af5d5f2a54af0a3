#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/connection/TelnetSocket.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Platform/Clock.h"

#include <array>
#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t READ_SIZE = 257;
constexpr std::time_t SILENCE_LIMIT_SECONDS = 20;
constexpr std::time_t KEEP_ALIVE_SECONDS = 15;
constexpr std::time_t FORWARDING_DISPLAY_SECONDS = 3;
constexpr int32_t MAX_USER_NAME_PROMPTS = 6;
const std::string PASSWORD_SHOWN_AS = "********";

std::time_t now() {
    return Platform::Clock::current().now();
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// poll that goes on after a signal with the time left, rounded up so it never ends early.
int pollRetrying(pollfd* entries, nfds_t count, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int result = ::poll(entries, count, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

} // namespace

void DeviceCommunication::runReceiveLoop(uint64_t generation, const DeviceTimings& timings, uint64_t request,
                                         int32_t failedAttempts) {
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    if (settings->getConnectionType() == ConnectionType::TELNET)
        telnetReceiveLoop(generation, timings, request, failedAttempts);
    else
        serialLoop(generation, timings);
}

void DeviceCommunication::telnetReceiveLoop(uint64_t generation, const DeviceTimings& timings,
                                            uint64_t request, int32_t failedAttempts) {
    m_lastReceive.store(now());
    bool dead = false;
    bool deadBeforeLogin = false;
    while (!dead && linkIsCurrent(generation)) {
        // A close from another thread goes first: the next pass would only hold it up.
        {
            std::unique_lock lock(m_waitMutex);
            m_wake.wait(lock, [&] { return m_closesWaiting.load() == 0 || !linkIsCurrent(generation); });
        }
        std::shared_ptr<const CPPConnectionSettings> settings;
        {
            std::lock_guard pass(m_passMutex);
            if (!linkIsCurrent(generation))
                return;
            settings = getCurrentConnectionSettings();
            if (telnetPass(timings, settings.get(), generation) == PassResult::Dead) {
                // Someone else took the link down meanwhile and goes on from there.
                if (!linkIsCurrent(generation))
                    return;
                deadBeforeLogin = !m_loggedIn.load();
                closeConnection();
                dead = true;
            }
        }
        if (!dead && m_loggedIn.load() && settings != nullptr && linkIsCurrent(generation))
            periodicStep(*settings, generation);
    }
    // A dead link reconnects on a connect thread of its own, never inline. One that never got
    // through the login is a failed attempt of the request that made it.
    if (dead && !m_stopping.load())
        startConnectThread(
            {request, true, deadBeforeLogin ? std::optional<int32_t>(failedAttempts) : std::nullopt});
}

DeviceCommunication::PassResult DeviceCommunication::telnetPass(const DeviceTimings& timings,
                                                                const CPPConnectionSettings* settings,
                                                                uint64_t generation) {
    const std::shared_ptr<TelnetSocket> socket = currentSocket();
    // A failed send closed the socket: the link is gone.
    if (socket == nullptr || socket->isClosed())
        return PassResult::Dead;
    // A close waiting for this pass wakes it through the second descriptor.
    pollfd entries[2] = {{socket->getFd(), POLLIN, 0}, {m_passWakeFd, POLLIN, 0}};
    const int polled = pollRetrying(entries, m_passWakeFd >= 0 ? 2 : 1, timings.pollPeriod);
    const pollfd& entry = entries[0];
    if (polled < 0)
        return PassResult::Dead;
    if (entries[1].revents != 0) {
        uint64_t signals = 0;
        [[maybe_unused]] const ssize_t drained = ::read(m_passWakeFd, &signals, sizeof(signals));
        if (entry.revents == 0)
            return PassResult::Continue;
    }
    if (polled == 0) {
        const std::time_t current = now();
        if (current - m_lastReceive.load() <= SILENCE_LIMIT_SECONDS)
            return PassResult::Continue;
        m_lastReceive.store(current);
        return PassResult::Dead;
    }
    if ((entry.revents & POLLIN) == 0)
        return (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 ? PassResult::Dead
                                                                     : PassResult::Continue;

    std::array<char, READ_SIZE> buffer{};
    const int32_t count = socket->recv(buffer.data(), static_cast<int32_t>(buffer.size()));
    // Only the end of the stream is a dead link; a single byte is data like any other.
    if (count == 0)
        return PassResult::Dead;
    if (count < 0)
        return PassResult::Continue;
    m_lastReceive.store(now());
    std::string chunk(buffer.data(), static_cast<size_t>(count));
    chunk.resize(std::min(chunk.find('\0'), chunk.size()));
    if (settings == nullptr)
        return PassResult::Continue;
    if (!m_loggedIn.load())
        loginStep(chunk, *settings, timings, generation);
    else
        receiveLines(socket->getFd(), chunk, *settings);
    return PassResult::Continue;
}

void DeviceCommunication::receiveLines(int32_t fd, const std::string& chunk,
                                       const CPPConnectionSettings& settings) {
    std::string data;
    if (const auto pending = m_pendingData.find(fd); pending != m_pendingData.end()) {
        data = std::move(pending->second);
        m_pendingData.erase(pending);
    }
    data += chunk;
    std::vector<std::string> lines;
    std::string rest;
    const int32_t split = m_builder.splitReceivedLines(data, lines, rest);
    if (!rest.empty())
        m_pendingData[fd] = std::move(rest);
    if (split != 0)
        return;
    for (std::string& line : lines)
        dispatchNotification(m_builder.processReceivedLine(std::move(line), &settings));
}

void DeviceCommunication::serialLoop(uint64_t generation, const DeviceTimings& timings) {
    while (linkIsCurrent(generation)) {
        if (const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings()) {
            if (!m_loggedIn.load()) {
                std::lock_guard pass(m_passMutex);
                if (linkIsCurrent(generation) && !m_loggedIn.load())
                    loginStep("", *settings, timings, generation);
            }
            if (m_loggedIn.load() && linkIsCurrent(generation))
                periodicStep(*settings, generation);
        }
        // The link going down or a stop ends the pause early.
        std::unique_lock lock(m_waitMutex);
        m_wake.wait_for(lock, timings.serialPause, [&] { return !linkIsCurrent(generation); });
    }
}

void DeviceCommunication::loginStep(const std::string& chunk, const CPPConnectionSettings& settings,
                                    const DeviceTimings& timings, uint64_t generation) {
    reach(TestPoint::LoginStep);
    // The link may have gone since the loop tested it; a gone link's step answers nothing.
    if (!linkIsCurrent(generation))
        return;
    if (settings.getConnectionType() != ConnectionType::TELNET) {
        loginSucceeded(settings, timings, generation);
        return;
    }
    // First rule that holds decides, and one chunk gets one answer at most.
    if (contains(chunk, "Invalid") || m_loginAttempts.load() >= MAX_USER_NAME_PROMPTS) {
        loginFailed("Login failed: " + chunk);
    } else if (contains(chunk, "Too many connections")) {
        loginFailed("Too many connection: " + chunk);
    } else if (contains(chunk, "Username:")) {
        sendLine(settings.getUserName(), settings, {});
        ++m_loginAttempts;
    } else if (contains(chunk, "Password:")) {
        sendLine(settings.getPassword(), settings, PASSWORD_SHOWN_AS);
    } else if (contains(chunk, "Level: Administrator")) {
        sendLine("\r\nBinaryMode", settings, {});
    } else if (contains(chunk, "=>")) {
        loginSucceeded(settings, timings, generation);
    }
}

void DeviceCommunication::loginFailed(const std::string& message) {
    dispatchConnection("LOGIN_FAILED", message);
    // No reconnect: the loop finds the link down and ends.
    closeConnection();
}

void DeviceCommunication::loginSucceeded(const CPPConnectionSettings& settings, const DeviceTimings& timings,
                                         uint64_t generation) {
    // Tested and set under the link lock: a port error or close of this link either comes
    // first, and nothing happens here, or clears the flag after.
    if (!onCurrentLink(generation, [&] {
            m_loggedIn.store(true);
            dispatchConnection("LOGIN_SUCCESS", "Login successful");
        }))
        return;
    sendLine("\r\n", settings, {});
    postLoginSequence(settings, timings, generation);
}

void DeviceCommunication::postLoginSequence(const CPPConnectionSettings& settings,
                                            const DeviceTimings& timings, uint64_t generation) {
    // Each step goes ahead only while the link is current, and the sequence ends at the first
    // that finds it gone. Sends go out without the link lock (a slow write must not hold up a
    // close); records and line changes are made under it. The box takes the queries one at a
    // time: a short pause after each keeps them apart.
    const auto query = [&](const std::function<void()>& send, bool pause = true) {
        if (!linkIsCurrent(generation))
            return false;
        send();
        if (pause)
            std::this_thread::sleep_for(timings.postLoginPause);
        return true;
    };
    const auto ask = [&](const std::string& line) { return query([&] { sendLine(line, settings, {}); }); };
    const auto show = [&](const std::function<void()>& change) { return onCurrentLink(generation, change); };

    if (!ask(CommandParser::settingsDisplayNameOrLocalNumber(&settings)))
        return;
    if (settings.getPhoneType() == PhoneType::VOIP) {
        const auto enableForwarding = [&] {
            dispatchNotification(m_builder.makeCallForwardNotification("", "ENABLE", "", ""));
            m_line->setCallForwardingEnabled(true);
        };
        const auto enableDoNotDisturb = [&] {
            dispatchNotification(m_builder.makeDndNotification("ENABLE", ""));
            m_line->setDoNotDisturbEnabled(true);
        };
        if (!ask(CommandParser::inquireRegStatus(&settings)) ||
            !ask(CommandParser::inquireActiveParties(&settings)) || !show(enableForwarding) ||
            !ask(CommandParser::inquireCfwStatus(&settings)) || !show(enableDoNotDisturb) ||
            !query([&] { queryDoNotDisturbMode(settings); }, false))
            return;
    } else {
        const auto disableBoth = [&] {
            dispatchNotification(m_builder.makeDndNotification("DISABLE", ""));
            m_line->setDoNotDisturbEnabled(false);
            dispatchNotification(m_builder.makeCallForwardNotification("", "DISABLE", "", ""));
            m_line->setCallForwardingEnabled(false);
        };
        if (!show(disableBoth) || !ask(CommandParser::inquireHook(&settings)))
            return;
    }
    if (query([&] { volumeQueryMinMaxValue(true, settings); }) &&
        query([&] { volumeQueryMinMaxValue(false, settings); }) && query([&] { volumeQuery(settings); }) &&
        query([&] { muteQuery(settings); }))
        show([&] { evaluateVolumeMuteAvailability(settings); });
}

void DeviceCommunication::periodicStep(const CPPConnectionSettings& settings, uint64_t generation) {
    const std::time_t current = now();
    if (current - m_lastKeepAlive.load() >= KEEP_ALIVE_SECONDS) {
        if (m_line->getSipProxyStatus() == CPPLine::SIP_PROXY_NOT_REPORTED &&
            settings.getPhoneType() == PhoneType::VOIP)
            sendLine(CommandParser::inquireRegStatus(&settings), settings, {});
        m_lastKeepAlive.store(current);
        // The display-name query is the keep-alive itself.
        sendLine(CommandParser::settingsDisplayNameOrLocalNumber(&settings), settings, {});
    }

    // The link may have gone since the loop tested it (or during a send): a step of a link that
    // is gone must neither show a record nor change the line that the next link starts from.
    std::lock_guard link(m_linkMutex);
    if (!linkIsCurrent(generation))
        return;
    if (m_line->getCallForwardingNumber().empty()) {
        if (m_blinkActive.exchange(false))
            dispatchNotification(m_builder.makeSettingsNotification(m_line->getDisplayName(), false));
    } else {
        m_blinkActive.store(true);
        if (current - m_lastBlink.load() > FORWARDING_DISPLAY_SECONDS) {
            m_lastBlink.store(current);
            // Alternates the line's name with the forwarding target.
            if (!m_blinkPhase.load())
                dispatchNotification(m_builder.makeSettingsNotification(m_line->getDisplayName(), false));
            else
                dispatchNotification(
                    m_builder.makeSettingsNotification(m_line->getCallForwardingUserPart(), true));
            m_blinkPhase.store(!m_blinkPhase.load());
        }
    }
    checkDigitCollectionTimeout(settings);
}
