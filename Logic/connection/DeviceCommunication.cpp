#include "Logic/connection/DeviceCommunication.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/connection/TelnetSocket.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "Platform/Clock.h"
#include "Platform/Log.h"

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

std::atomic<DeviceCommunication*> currentInstance{nullptr};

// The box's name in every link message.
const std::string CONNECTING_MESSAGE = "Connecting to halvarsund....";
const std::string CONNECTED_MESSAGE = "Connected to halvarsund box.";
const std::string UNABLE_MESSAGE = "Unable to connect to halvarsund box!";
const std::string NO_PROFILE_MESSAGE = "Connection setting is null!";
const std::string CLOSE_MESSAGE = "Close connect to halvarsund box.";

std::time_t now() {
    return Platform::Clock::current().now();
}

} // namespace

DeviceCommunication* DeviceCommunication::getInstance() {
    DeviceCommunication* existing = currentInstance.load();
    if (existing != nullptr)
        return existing;
    auto* created = new DeviceCommunication();
    // Two first callers racing: the loser's object goes, and both get the winner's, which
    // registers again for profile edits (the loser's destructor cleared that).
    if (!currentInstance.compare_exchange_strong(existing, created)) {
        delete created;
        existing->registerForProfileEdits();
        return existing;
    }
    return created;
}

DeviceCommunication::DeviceCommunication()
    : m_line(&CPPLine::getInstance()), m_lastKeepAlive(now()), m_lastBlink(now()),
      m_passWakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    registerForProfileEdits();
}

DeviceCommunication::~DeviceCommunication() {
    DeviceCommunication* self = this;
    CPPConnectionSettingsManager::getInstance().setConnectionSettingsUpdatedCallback({});
    m_stopping.store(true);
    m_keepConnecting.store(false);
    m_status.store(-1);
    ++m_linkGeneration;
    wakeWaiters();
    // A receive pass waiting in poll wakes to the end of the stream.
    if (const std::shared_ptr<TelnetSocket> socket = currentSocket())
        socket->close();
    signalPass();
    m_threads.stop();
    m_threads.joinAll();
    if (m_passWakeFd >= 0)
        ::close(m_passWakeFd);
    currentInstance.compare_exchange_strong(self, nullptr);
}

void DeviceCommunication::registerForProfileEdits() {
    CPPConnectionSettingsManager::getInstance().setConnectionSettingsUpdatedCallback(
        [this](const CPPConnectionSettings& edited) { connectionSettingsUpdated(edited); });
}

void DeviceCommunication::setListener(DeviceCommandNotificationListener* listener) {
    m_listener.store(listener);
}

void DeviceCommunication::setSerialBridge(CPPSerialBridge* serialBridge) {
    m_serialBridge.store(serialBridge);
}

void DeviceCommunication::setTimings(const DeviceTimings& timings) {
    std::lock_guard lock(m_settingsMutex);
    m_timings = timings;
}

DeviceTimings DeviceCommunication::getTimings() const {
    std::lock_guard lock(m_settingsMutex);
    return m_timings;
}

std::shared_ptr<const CPPConnectionSettings> DeviceCommunication::getCurrentConnectionSettings() const {
    std::lock_guard lock(m_settingsMutex);
    return m_settings;
}

void DeviceCommunication::setCurrentConnectionSettings(
    std::shared_ptr<const CPPConnectionSettings> settings) {
    std::lock_guard lock(m_settingsMutex);
    m_settings.swap(settings);
    // The replaced snapshot dies with the local, outside the lock.
}

void DeviceCommunication::connect(std::shared_ptr<const CPPConnectionSettings> profile) {
    m_keepConnecting.store(false);
    const uint64_t request = ++m_connectRequests;
    setCurrentConnectionSettings(std::move(profile));
    startConnectThread({request, false, std::nullopt});
}

void DeviceCommunication::autoConnect() {
    for (const CPPConnectionSettings& settings :
         CPPConnectionSettingsManager::getInstance().allConnectionSettings()) {
        if (settings.isAutoConnect()) {
            connect(std::make_shared<const CPPConnectionSettings>(settings));
            return;
        }
    }
}

void DeviceCommunication::connectionSettingsUpdated(const CPPConnectionSettings& edited) {
    const std::shared_ptr<const CPPConnectionSettings> current = getCurrentConnectionSettings();
    if (current == nullptr || current->getId() != edited.getId())
        return;
    auto replacement = std::make_shared<const CPPConnectionSettings>(edited);
    setCurrentConnectionSettings(replacement);
    evaluateVolumeMuteAvailability(*replacement);
}

void DeviceCommunication::setTestPointObserver(std::function<void(TestPoint)> observer) {
    std::lock_guard lock(m_settingsMutex);
    m_testPointObserver = std::move(observer);
}

void DeviceCommunication::reach(TestPoint point) const {
    std::function<void(TestPoint)> observer;
    {
        std::lock_guard lock(m_settingsMutex);
        observer = m_testPointObserver;
    }
    if (observer)
        observer(point);
}

bool DeviceCommunication::startConnectThread(const Dial& dial) {
    if (m_threads.spawn([this, dial] { connectThreadMain(dial); }))
        return true;
    reportThreadRefused();
    return false;
}

void DeviceCommunication::reportThreadRefused() {
    if (!m_stopping.load())
        dispatchNotification(m_builder.makeErrorNotification(true, "Can't create thread"));
}

void DeviceCommunication::connectThreadMain(const Dial& dial) {
    if (dial.redial)
        reach(TestPoint::RedialWaiting);
    {
        std::lock_guard lock(m_connectMutex);
        // A connect asked for since the link died dials on its own: the re-dial would close
        // that link again and charge it with the dead link's failed attempts.
        const bool overtaken = dial.redial && dial.request != m_connectRequests.load();
        if (!m_stopping.load() && !overtaken)
            connectOrReconnect(dial);
    }
    if (dial.redial)
        reach(TestPoint::RedialOver);
}

void DeviceCommunication::connectOrReconnect(const Dial& dial) {
    // From here every loop and serial report of the previous link is out of date.
    uint64_t generation = 0;
    {
        std::lock_guard link(m_linkMutex);
        generation = ++m_linkGeneration;
    }
    const DeviceTimings timings = getTimings();
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    if (isConnected()) {
        // Marked down before waiting, so a receive pass in progress is its loop's last.
        m_status.store(-1);
        wakeWaiters();
        closeConnection();
    } else if (settings != nullptr) {
        m_line->reset(settings->getPhoneType() == PhoneType::VOIP);
    }
    if (m_stopping.load())
        return;
    if (settings == nullptr)
        dispatchConnection("ERROR", NO_PROFILE_MESSAGE);
    else if (settings->getConnectionType() == ConnectionType::TELNET)
        telnetConnect(*settings, timings, generation, dial);
    else
        openSerial();
    m_lastKeepAlive.store(now());
    m_lastBlink.store(now());
}

void DeviceCommunication::telnetConnect(const CPPConnectionSettings& settings, const DeviceTimings& timings,
                                        uint64_t generation, const Dial& dial) {
    int32_t attempts = 0;
    m_keepConnecting.store(true);
    // A box that drops every link during the login is paused for and given up on like one
    // that refuses the connection, not re-dialled at once without end.
    if (dial.failedLink) {
        attempts = *dial.failedLink;
        if (!failAttempt(attempts, timings))
            return;
    }
    while (m_status.load() < 0 && m_keepConnecting.load() && attempts < timings.maxConnectAttempts) {
        dispatchConnection("CONNECTING", CONNECTING_MESSAGE);
        const auto socket = std::make_shared<TelnetSocket>(AF_INET, SOCK_STREAM, 0);
        socket->setSendWait(timings.sendWait);
        // The previous attempt's socket closes here unless a sender still holds it.
        replaceSocket(socket);
        const int32_t result =
            socket->connect(settings.getIp(), settings.getPort(), timings.connectWait, &m_stopping);
        {
            std::lock_guard pass(m_passMutex);
            // Stopped, or closed by another thread while connecting: this attempt is void.
            if (m_stopping.load() || currentSocket() != socket)
                return;
            m_status.store(result);
        }
        if (result == -2) {
            dispatchConnection("TIMEOUT", "");
            return;
        }
        if (result < 0 && !failAttempt(attempts, timings))
            return;
    }
    if (attempts >= timings.maxConnectAttempts) {
        dispatchConnection("TIMEOUT", "");
        return;
    }
    if (m_status.load() < 0)
        return;
    dispatchConnection("CONNECTED", CONNECTED_MESSAGE);
    if (startReceiveThread(generation, timings, dial.request, attempts) != 0 && !m_stopping.load()) {
        reportThreadRefused();
        closeConnection();
    }
}

bool DeviceCommunication::failAttempt(int32_t& attempts, const DeviceTimings& timings) {
    if (!pauseUnlessStopping(timings.retryPause))
        return false;
    ++attempts;
    dispatchConnection("ERROR", UNABLE_MESSAGE);
    return true;
}

void DeviceCommunication::openSerial() {
    CPPSerialBridge* bridge = m_serialBridge.load();
    if (bridge == nullptr)
        return;
    dispatchConnection("CONNECTING", CONNECTING_MESSAGE);
    bridge->open();
}

int32_t DeviceCommunication::startReceiveThread(uint64_t generation, const DeviceTimings& timings,
                                                uint64_t request, int32_t failedAttempts) {
    m_lastKeepAlive.store(now());
    m_lastBlink.store(now());
    const bool started = m_threads.spawn([this, generation, timings, request, failedAttempts] {
        runReceiveLoop(generation, timings, request, failedAttempts);
    });
    return started ? 0 : -1;
}

int32_t DeviceCommunication::sendCommand(std::string command) {
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return -1;
    return sendLine(std::move(command), *settings, {});
}

int32_t DeviceCommunication::sendLine(std::string command, const CPPConnectionSettings& settings,
                                      std::string_view shownAs) {
    command += "\r\n";
    if (m_stopping.load())
        return -1;
    if (settings.getConnectionType() != ConnectionType::TELNET) {
        CPPSerialBridge* bridge = m_serialBridge.load();
        if (bridge == nullptr)
            return -1;
        bridge->send(command);
        return 1;
    }
    // A secret (the password) is shown masked in the trace and in the failure record.
    const std::string shown = shownAs.empty() ? command : std::string(shownAs) + "\r\n";
    const std::shared_ptr<TelnetSocket> socket = currentSocket();
    const int32_t result =
        socket != nullptr ? socket->send(command, static_cast<int32_t>(command.size()), shown) : -1;
    if (result < 1) {
        Platform::Log::out("[TELNET] Status code: " + toString(result));
        dispatchNotification(m_builder.makeErrorNotification(true, "Cannot send command: " + shown));
    }
    return result;
}

void DeviceCommunication::closeConnection(bool, bool fromSerial) {
    // The port closes before the pass mutex is taken: a serial login holding that mutex may be
    // waiting for room in the port, and only the close ends such a write.
    if (CPPSerialBridge* bridge = m_serialBridge.load(); bridge != nullptr && !fromSerial)
        bridge->close();
    // A receive pass waiting in poll would hold the close up for a whole poll period.
    ++m_closesWaiting;
    signalPass();
    {
        std::lock_guard pass(m_passMutex);
        // The socket is the one of the link marked down, taken in the same step: a connect that
        // finds the link down from here on dials on a socket of its own, which this close must
        // leave alone.
        std::shared_ptr<TelnetSocket> socket;
        {
            std::lock_guard link(m_linkMutex);
            std::lock_guard socketLock(m_socketMutex);
            m_status.store(-1);
            socket = m_socket;
        }
        reach(TestPoint::CloseMarkedDown);
        removeSocket(socket);
        auto record = m_builder.makeConnectionNotification("CLOSE", CLOSE_MESSAGE);
        resetLineState();
        dispatchNotification(std::move(record));
        if (socket != nullptr)
            socket->close();
        m_pendingData.clear();
        m_loggedIn.store(false);
        m_loginAttempts.store(0);
    }
    --m_closesWaiting;
    wakeWaiters();
}

void DeviceCommunication::signalPass() {
    const uint64_t one = 1;
    if (m_passWakeFd >= 0) [[maybe_unused]]
        const ssize_t written = ::write(m_passWakeFd, &one, sizeof(one));
}

void DeviceCommunication::resetLineState() {
    m_redialPending.store(false);
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    m_line->reset(settings == nullptr || settings->getPhoneType() == PhoneType::VOIP);
    dispatchNotification(m_builder.makeCfwInactiveNotification());
    dispatchNotification(m_builder.makeSettingsNotification("", false));
    dispatchNotification(m_builder.makeActivePartiesResetNotification());
}

void DeviceCommunication::evaluateVolumeMuteAvailability() {
    if (const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings())
        evaluateVolumeMuteAvailability(*settings);
}

void DeviceCommunication::evaluateVolumeMuteAvailability(const CPPConnectionSettings& settings) {
    CPPConnectionSettingsManager& store = CPPConnectionSettingsManager::getInstance();
    bool volume = false;
    if (settings.usesSpeakerGroup()) {
        volume = !settings.getSpeakerGroupName().empty();
    } else {
        const CPPVolumeCommand down = store.getVolumeDownCommand(settings.getId());
        const CPPVolumeCommand up = store.getVolumeUpCommand(settings.getId());
        const bool anyButton = !down.getPressCommand().empty() || !down.getReleaseCommand().empty() ||
                               !up.getPressCommand().empty() || !up.getReleaseCommand().empty();
        volume = anyButton && !settings.getMaxVolumeValueCommand().empty() &&
                 !settings.getMinVolumeValueCommand().empty();
    }
    auto volumeRecord = m_builder.makeVolumeNotification(volume ? "ENABLE" : "DISABLE", "", "");
    m_line->setVolumeEnabled(volume);
    dispatchNotification(std::move(volumeRecord));

    bool mute = false;
    if (settings.usesMicrophoneGroup()) {
        mute = !settings.getMicrophoneGroupName().empty();
    } else {
        const CPPMuteCommand command = store.getMuteCommand(settings.getId());
        mute = !command.getPressCommand().empty() && !command.getQueryCommand().empty() &&
               !command.getActiveNotificationFormat().empty() &&
               !command.getInactiveNotificationFormat().empty();
    }
    auto muteRecord = m_builder.makeMuteNotification(false, mute ? "ENABLE" : "DISABLE");
    m_line->setMuteEnabled(mute);
    dispatchNotification(std::move(muteRecord));
}

void DeviceCommunication::dispatchNotification(std::unique_ptr<CPPNotificationInfo> record) {
    DeviceCommandNotificationListener* listener = m_listener.load();
    if (listener != nullptr && record != nullptr && !m_stopping.load())
        listener->notify(record.get());
}

void DeviceCommunication::dispatchConnection(const std::string& status, const std::string& message) {
    dispatchNotification(m_builder.makeConnectionNotification(status, message));
}

void DeviceCommunication::serialStatusChanged(int32_t code, const std::string& text, uint64_t link) {
    // A failure is tested and applied under the link lock, so no periodic step of the link is
    // half done and no connect slips in between.
    std::unique_lock lock(m_linkMutex, std::defer_lock);
    if (code != 0 && code != 1)
        lock.lock();
    if (link != m_linkGeneration.load()) {
        // A port replaced by a newer link still reports its end; it must not touch this link.
        Platform::Log::out("[Serial] Ignored status " + toString(code) + " of an earlier link: " + text);
        return;
    }
    if (code == 0) {
        dispatchConnection("CONNECTING", CONNECTING_MESSAGE);
        m_status.store(-1);
    } else if (code == 1) {
        dispatchConnection("CONNECTED", CONNECTED_MESSAGE);
        m_status.store(1);
        if (startReceiveThread(link, getTimings()) != 0)
            reportThreadRefused();
    } else {
        m_status.store(-1);
        // The next link logs in again.
        m_loggedIn.store(false);
        m_loginAttempts.store(0);
        lock.unlock();
        wakeWaiters();
        dispatchConnection("ERROR", text);
    }
}

void DeviceCommunication::serialDataReceived(const std::string& message) {
    const std::shared_ptr<const CPPConnectionSettings> settings = getCurrentConnectionSettings();
    dispatchNotification(m_builder.processReceivedLine(message, settings.get()));
}

void DeviceCommunication::wakeWaiters() {
    // Taking the lock orders the change before a waiter's next test of it.
    { std::lock_guard lock(m_waitMutex); }
    m_wake.notify_all();
}

bool DeviceCommunication::pauseUnlessStopping(std::chrono::nanoseconds duration) {
    std::unique_lock lock(m_waitMutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stopping.load(); });
}

bool DeviceCommunication::linkIsCurrent(uint64_t generation) const {
    return !m_stopping.load() && isConnected() && m_linkGeneration.load() == generation;
}

bool DeviceCommunication::onCurrentLink(uint64_t generation, const std::function<void()>& change) {
    std::lock_guard link(m_linkMutex);
    if (!linkIsCurrent(generation))
        return false;
    change();
    return true;
}

std::shared_ptr<TelnetSocket> DeviceCommunication::currentSocket() const {
    std::lock_guard lock(m_socketMutex);
    return m_socket;
}

void DeviceCommunication::removeSocket(const std::shared_ptr<TelnetSocket>& socket) {
    std::lock_guard lock(m_socketMutex);
    if (m_socket == socket)
        m_socket.reset();
}

std::shared_ptr<TelnetSocket> DeviceCommunication::replaceSocket(std::shared_ptr<TelnetSocket> socket) {
    std::lock_guard lock(m_socketMutex);
    m_socket.swap(socket);
    return socket;
}
