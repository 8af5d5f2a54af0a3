#include "Logic/connection/Serial/SerialPort.h"

#include "Logic/connection/Serial/Termios2.h"
#include "Platform/Log.h"
#include "Platform/MainQueue.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// The live ports, in order of creation. Entries keep the path, so a lookup never has to lock
// (and so possibly destroy) a port other than the one it returns.
struct Registry {
    struct Entry {
        const SerialPort* port;
        std::string path;
        std::weak_ptr<SerialPort> live;
    };
    std::mutex mutex;
    std::vector<Entry> entries;
};

Registry& registry() {
    static Registry* const instance = new Registry;
    return *instance;
}

// The live port of the path; the caller holds the registry's lock.
std::shared_ptr<SerialPort> livePortLocked(const Registry& ports, const std::string& path) {
    for (const Registry::Entry& entry : ports.entries) {
        if (entry.path != path)
            continue;
        if (std::shared_ptr<SerialPort> port = entry.live.lock())
            return port;
    }
    return nullptr;
}

// The standard rates the kernel knows by name; anything else needs the arbitrary-rate call.
constexpr std::array<std::pair<uint64_t, speed_t>, 30> standardRates = {{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
}};

std::optional<speed_t> standardSpeed(uint64_t rate) {
    for (const auto& [known, speed] : standardRates)
        if (known == rate)
            return speed;
    return std::nullopt;
}

} // namespace

// ---- creation and the registry

SerialPort::SerialPort(Platform::SerialDevice device)
    : m_device(std::move(device)), m_requestQueue("tessmark.serialport.requests") {}

SerialPort::~SerialPort() {
    {
        std::lock_guard state(m_stateMutex);
        closeLocked(false);
    }
    m_readerThreads.stop();
    m_readerThreads.joinAll();
    removeSerialPort(this);
}

std::shared_ptr<SerialPort> SerialPort::serialPortWithDevice(const Platform::SerialDevice& device) {
    if (device.path.empty())
        throw std::invalid_argument(std::string(__func__) + " requires non-zero device argument.");
    Registry& ports = registry();
    std::lock_guard lock(ports.mutex);
    if (std::shared_ptr<SerialPort> live = livePortLocked(ports, device.path))
        return live;
    std::shared_ptr<SerialPort> port(new SerialPort(device));
    std::erase_if(ports.entries, [](const Registry::Entry& entry) { return entry.live.expired(); });
    ports.entries.push_back({port.get(), device.path, port});
    return port;
}

std::shared_ptr<SerialPort> SerialPort::serialPortWithPath(const std::string& path) {
    const std::optional<Platform::SerialDevice> device = deviceFromBSDPath(path);
    return device ? serialPortWithDevice(*device) : nullptr;
}

std::optional<Platform::SerialDevice> SerialPort::deviceFromBSDPath(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    for (Platform::SerialDevice& device : Platform::SerialPortEnumerator::current().devices())
        if (device.path == path || device.dialinPath == path)
            return std::move(device);
    return std::nullopt;
}

std::shared_ptr<SerialPort> SerialPort::existingPortWithPath(const std::string& path) {
    Registry& ports = registry();
    std::lock_guard lock(ports.mutex);
    return livePortLocked(ports, path);
}

void SerialPort::removeSerialPort(const SerialPort* port) {
    Registry& ports = registry();
    std::lock_guard lock(ports.mutex);
    // A newer port for the same path may have taken the place already; leave its entry.
    std::erase_if(ports.entries, [port](const Registry::Entry& entry) { return entry.port == port; });
}

// ---- delegate and observers

void SerialPort::setDelegate(std::weak_ptr<SerialPortDelegate> delegate) {
    std::lock_guard lock(m_delegateMutex);
    m_delegate = std::move(delegate);
}

std::weak_ptr<SerialPortDelegate> SerialPort::delegate() const {
    std::lock_guard lock(m_delegateMutex);
    return m_delegate;
}

void SerialPort::postToDelegate(std::function<void(SerialPort& port, SerialPortDelegate& delegate)> call) {
    std::weak_ptr<SerialPort> self = weak_from_this();
    if (self.expired())
        return; // being destroyed: nobody is told
    Platform::MainQueue::shared().post([self, receiver = delegate(), call = std::move(call)] {
        const std::shared_ptr<SerialPort> port = self.lock();
        const std::shared_ptr<SerialPortDelegate> target = receiver.lock();
        if (port && target)
            call(*port, *target);
    });
}

void SerialPort::reportError(int code) {
    if (!delegateImplements(&SerialPortDelegate::serialPortDidEncounterError))
        return;
    postToDelegate([error = PosixError::fromCode(code, path()),
                    generation = m_openGeneration.load()](SerialPort& port, SerialPortDelegate& receiver) {
        if (port.m_openGeneration.load() == generation && receiver.serialPortDidEncounterError)
            receiver.serialPortDidEncounterError(port, error);
    });
}

void SerialPort::reportFailure(int code) {
    if (!m_failureReported.exchange(true))
        reportError(code);
}

// ---- settings

void SerialPort::setBaudRate(uint64_t baudRate) {
    storeAndApply(m_baudRate, baudRate);
}

void SerialPort::setParity(uint64_t parity) {
    storeAndApply(m_parity, parity <= 2 ? parity : uint64_t{0});
}

void SerialPort::setNumberOfStopBits(uint64_t numberOfStopBits) {
    storeAndApply(m_numberOfStopBits, numberOfStopBits);
}

void SerialPort::setShouldEchoReceivedData(bool echo) {
    storeAndApply(m_shouldEchoReceivedData, echo);
}

template <typename Value>
void SerialPort::storeAndApply(std::atomic<Value>& setting, Value value) {
    std::lock_guard state(m_stateMutex);
    if (setting.exchange(value) != value)
        applyPortOptionsLocked();
}

void SerialPort::setUsesRTSCTSFlowControl(bool uses) {
    changeFlowControl(m_usesRTSCTSFlowControl, uses);
}

void SerialPort::setUsesDTRDSRFlowControl(bool uses) {
    changeFlowControl(m_usesDTRDSRFlowControl, uses);
}

void SerialPort::setUsesDCDOutputFlowControl(bool uses) {
    changeFlowControl(m_usesDCDOutputFlowControl, uses);
}

void SerialPort::changeFlowControl(std::atomic<bool>& setting, bool uses) {
    std::lock_guard state(m_stateMutex);
    if (setting.exchange(uses) == uses)
        return;
    // The line drains under the old rule, then opens again under the new one.
    const bool wasOpen = isOpen();
    closeLocked(true);
    if (wasOpen)
        openLocked();
}

void SerialPort::setRTS(bool on) {
    std::lock_guard state(m_stateMutex);
    if (m_RTS.exchange(on) != on)
        updateModemLinesLocked();
}

void SerialPort::setDTR(bool on) {
    std::lock_guard state(m_stateMutex);
    if (m_DTR.exchange(on) != on)
        updateModemLinesLocked();
}

void SerialPort::applyPortOptionsLocked() {
    const int fd = m_fileDescriptor.load();
    if (fd < 0)
        return;
    termios options{};
    tcgetattr(fd, &options);
    cfmakeraw(&options);
    options.c_cc[VMIN] = 1;
    options.c_cc[VTIME] = 2;
    options.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    options.c_cflag |= CS8;
    switch (m_parity.load()) {
    case 1:
        options.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        options.c_cflag |= PARENB;
        options.c_cflag &= ~static_cast<tcflag_t>(PARODD);
        break;
    default:
        options.c_cflag &= ~static_cast<tcflag_t>(PARENB);
        break;
    }
    if (m_numberOfStopBits.load() > 1)
        options.c_cflag |= CSTOPB;
    else
        options.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    if (m_shouldEchoReceivedData.load())
        options.c_lflag |= ECHO;
    else
        options.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    if (m_usesRTSCTSFlowControl.load())
        options.c_cflag |= CRTSCTS;
    else
        options.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    options.c_cflag |= HUPCL | CLOCAL | CREAD;
    options.c_lflag &= ~static_cast<tcflag_t>(ICANON | ISIG);

    const uint64_t rate = m_baudRate.load();
    const std::optional<speed_t> speed = standardSpeed(rate);
    if (speed) {
        cfsetispeed(&options, *speed);
        cfsetospeed(&options, *speed);
    } else if (!m_allowsNonStandardBaudRates.load() || rate > UINT32_MAX) {
        reportError(EINVAL);
        return;
    }
    int error = tcsetattr(fd, TCSANOW, &options) == 0 ? 0 : errno;
    if (error == 0 && !speed)
        error = setArbitraryBaudRate(fd, static_cast<uint32_t>(rate));
    if (error != 0)
        reportError(error);
}

// ---- open, close, write

void SerialPort::open() {
    std::lock_guard state(m_stateMutex);
    openLocked();
}

void SerialPort::openLocked() {
    if (isOpen())
        return;
    const int fd = ::open(path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reportError(errno);
        return;
    }
    // Exclusive twice over: TIOCEXCL keeps other openers out (root excepted), the lock tells
    // another program that honours it. The exclusive mark lives on the line, not on our
    // descriptor, so on failure clear only a mark we set ourselves.
    int alreadyExclusive = 0;
    const bool knowsExclusive = ioctl(fd, TIOCGEXCL, &alreadyExclusive) == 0;
    const int stopEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (ioctl(fd, TIOCEXCL) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0 || stopEvent < 0) {
        const int error = errno;
        if (!knowsExclusive || alreadyExclusive == 0)
            ioctl(fd, TIOCNXCL);
        ::close(fd);
        if (stopEvent >= 0)
            ::close(stopEvent);
        reportError(error);
        return;
    }
    // The descriptor stays non-blocking: the reader waits in poll(), and a write waits in
    // poll() too, where a close can end it.
    tcgetattr(fd, &m_originalPortAttributes);
    {
        std::lock_guard writing(m_writeMutex);
        m_stopEvent = stopEvent;
        m_failureReported.store(false);
        m_hasModemLines.store(true);
        m_openGeneration.fetch_add(1);
        m_fileDescriptor.store(fd);
    }
    applyPortOptionsLocked();
    updateModemLinesLocked();
    m_observers.notify("isOpen");

    // "Opened" is queued before the reader can queue any data.
    if (delegateImplements(&SerialPortDelegate::serialPortWasOpened))
        postToDelegate([](SerialPort& port, SerialPortDelegate& receiver) {
            if (receiver.serialPortWasOpened)
                receiver.serialPortWasOpened(port);
        });
    if (!m_readerThreads.spawn([this, fd, stopEvent] { readerLoop(fd, stopEvent); })) {
        reportFailure(EAGAIN);
        closeLocked(true);
    }
}

bool SerialPort::close() {
    std::lock_guard state(m_stateMutex);
    closeLocked(true);
    return true;
}

void SerialPort::closeForExit() {
    std::unique_lock state(m_stateMutex, std::try_to_lock);
    if (state.owns_lock())
        closeLocked(false);
}

void SerialPort::closeLocked(bool tellDelegate) {
    const int fd = m_fileDescriptor.load();
    if (fd < 0)
        return;
    // Wake the reader and any blocked write, then wait for the reader, which holds nothing.
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t woken = ::write(m_stopEvent, &one, sizeof one);
    m_readerThreads.joinAll();

    int closeError = 0;
    {
        std::lock_guard writing(m_writeMutex);
        // No flow control may hold back the drain that restoring the attributes waits for.
        termios attributes{};
        if (tcgetattr(fd, &attributes) == 0) {
            attributes.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
            tcsetattr(fd, TCSANOW, &attributes);
        }
        tcsetattr(fd, TCSADRAIN, &m_originalPortAttributes);
        ioctl(fd, TIOCNXCL);
        // Linux frees the number even when close fails, so the port counts as closed either way
        // and never writes to a number that may be reused.
        if (::close(fd) != 0)
            closeError = errno;
        ::close(m_stopEvent);
        m_stopEvent = -1;
        m_fileDescriptor.store(-1);
    }
    // Destruction and exit tell no one: observers and delegates may be gone by then.
    if (!tellDelegate)
        return;
    m_observers.notify("isOpen");
    if (closeError != 0)
        reportFailure(closeError);
    if (delegateImplements(&SerialPortDelegate::serialPortWasClosed)) {
        postToDelegate([](SerialPort& port, SerialPortDelegate& receiver) {
            if (receiver.serialPortWasClosed)
                receiver.serialPortWasClosed(port);
        });
        if (m_requestLayerActive.load())
            m_requestQueue.post([this] { resetRequestsAfterClose(); });
    }
}

bool SerialPort::sendData(const std::string& bytes) {
    std::lock_guard writing(m_writeMutex);
    const int fd = m_fileDescriptor.load();
    if (fd < 0)
        return false;
    size_t written = 0;
    bool lineFailed = false;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count > 0) {
            written += static_cast<size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN && !lineFailed) {
            // The driver is full: wait for room, or for a close.
            pollfd watched[2] = {{fd, POLLOUT, 0}, {m_stopEvent, POLLIN, 0}};
            if (::poll(watched, 2, -1) < 0 && errno != EINTR) {
                reportFailure(errno);
                return false;
            }
            if (watched[1].revents != 0)
                return false;
            lineFailed = (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
            continue;
        }
        reportFailure(count < 0 && errno != EAGAIN ? errno : EIO);
        return false;
    }
    return true;
}

// ---- removal

void SerialPort::cleanupAfterSystemRemoval() {
    if (delegateImplements(&SerialPortDelegate::serialPortWasRemovedFromSystem))
        postToDelegate([](SerialPort& port, SerialPortDelegate& receiver) {
            if (receiver.serialPortWasRemovedFromSystem)
                receiver.serialPortWasRemovedFromSystem(port);
        });
    close();
}

void SerialPort::cleanup() {
    Platform::Log::err("WARNING: Cleanup is deprecated and was never intended to be called publicly. You "
                       "should update your code to avoid calling this method.");
    cleanupAfterSystemRemoval();
}
