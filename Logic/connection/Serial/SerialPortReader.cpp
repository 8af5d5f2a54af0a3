#include "Logic/connection/Serial/SerialPort.h"

#include "Platform/MainQueue.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct ModemAccessSlot {
    std::mutex mutex;
    SerialPort::ModemLineAccess access;
};

ModemAccessSlot& modemAccessSlot() {
    static ModemAccessSlot* const slot = new ModemAccessSlot;
    return *slot;
}

SerialPort::ModemLineAccess installedModemAccess() {
    ModemAccessSlot& slot = modemAccessSlot();
    std::lock_guard lock(slot.mutex);
    return slot.access;
}

int getModemLines(int fileDescriptor, int& bits) {
    if (const auto get = installedModemAccess().get)
        return get(fileDescriptor, bits);
    return ioctl(fileDescriptor, TIOCMGET, &bits) == 0 ? 0 : errno;
}

int setModemLines(int fileDescriptor, int bits) {
    if (const auto set = installedModemAccess().set)
        return set(fileDescriptor, bits);
    return ioctl(fileDescriptor, TIOCMSET, &bits) == 0 ? 0 : errno;
}

// A line without modem lines (a pseudo-terminal, a plain UART driver) answers with these.
bool meansNoModemLines(int code) {
    return code == ENOTTY || code == EINVAL;
}

constexpr int inputLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;
constexpr std::chrono::milliseconds modemLinePeriod{10};
constexpr size_t readSize = 1024;

} // namespace

void SerialPort::setModemLineAccess(ModemLineAccess access) {
    ModemAccessSlot& slot = modemAccessSlot();
    std::lock_guard lock(slot.mutex);
    slot.access = std::move(access);
}

void SerialPort::updateModemLinesLocked() {
    const int fd = m_fileDescriptor.load();
    if (fd < 0 || !m_hasModemLines.load())
        return;
    int bits = 0;
    getModemLines(fd, bits);
    bits = m_RTS.load() ? (bits | TIOCM_RTS) : (bits & ~TIOCM_RTS);
    bits = m_DTR.load() ? (bits | TIOCM_DTR) : (bits & ~TIOCM_DTR);
    const int error = setModemLines(fd, bits);
    if (meansNoModemLines(error))
        m_hasModemLines.store(false);
    else if (error != 0)
        reportError(error);
}

// Waits for data, a close, or the next modem-line tick. Without modem lines it sleeps in poll()
// until something happens; with them it wakes 100 times a second.
void SerialPort::readerLoop(int fileDescriptor, int stopEvent) {
    using std::chrono::steady_clock;
    auto nextTick = steady_clock::now();
    int lastBits =
        (m_CTS.load() ? TIOCM_CTS : 0) | (m_DSR.load() ? TIOCM_DSR : 0) | (m_DCD.load() ? TIOCM_CAR : 0);
    char buffer[readSize];
    for (;;) {
        const bool watchesLines = m_hasModemLines.load();
        int timeout = -1;
        if (watchesLines) {
            // Rounded up: a wait cut to 0 would spin through the tick's last millisecond.
            const auto wait =
                std::chrono::ceil<std::chrono::milliseconds>(nextTick - steady_clock::now()).count();
            timeout = wait > 0 ? static_cast<int>(wait) : 0;
        }
        pollfd watched[2] = {{fileDescriptor, POLLIN, 0}, {stopEvent, POLLIN, 0}};
        if (::poll(watched, 2, timeout) < 0) {
            if (errno == EINTR)
                continue;
            reportRemoval(errno);
            return;
        }
        if (watched[1].revents != 0)
            return;
        // Data still waiting is read before a hang-up is believed, so nothing read is lost.
        if ((watched[0].revents & POLLIN) != 0) {
            const ssize_t count = ::read(fileDescriptor, buffer, sizeof buffer);
            if (count > 0) {
                deliverReceivedData(std::string(buffer, static_cast<size_t>(count)));
            } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
                reportRemoval(count == 0 ? EIO : errno);
                return;
            }
        } else if ((watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            reportRemoval(EIO);
            return;
        }
        if (watchesLines && steady_clock::now() >= nextTick) {
            if (!pollModemLines(fileDescriptor, lastBits))
                return;
            nextTick += modemLinePeriod;
            if (nextTick < steady_clock::now())
                nextTick = steady_clock::now() + modemLinePeriod;
        }
    }
}

bool SerialPort::pollModemLines(int fileDescriptor, int& lastBits) {
    int bits = 0;
    const int error = getModemLines(fileDescriptor, bits);
    if (meansNoModemLines(error)) {
        m_hasModemLines.store(false);
        return true;
    }
    if (error == EINTR || error == EAGAIN)
        return true;
    if (error != 0) {
        reportRemoval(error);
        return false;
    }
    const int changed = (bits ^ lastBits) & inputLines;
    if (changed == 0)
        return true;
    lastBits = bits & inputLines;
    std::weak_ptr<SerialPort> self = weak_from_this();
    // The stored values change on the main queue, CTS before DSR before DCD.
    Platform::MainQueue::shared().post([self, bits, changed] {
        const std::shared_ptr<SerialPort> port = self.lock();
        if (!port)
            return;
        const std::pair<int, std::atomic<bool>*> lines[] = {
            {TIOCM_CTS, &port->m_CTS}, {TIOCM_DSR, &port->m_DSR}, {TIOCM_CAR, &port->m_DCD}};
        const char* const keys[] = {"CTS", "DSR", "DCD"};
        for (size_t line = 0; line < 3; ++line) {
            if ((changed & lines[line].first) == 0)
                continue;
            lines[line].second->store((bits & lines[line].first) != 0);
            port->m_observers.notify(keys[line]);
        }
    });
    return true;
}

void SerialPort::deliverReceivedData(std::string chunk) {
    // The delegate's copy is queued before the request layer's, as the bytes came.
    if (delegateImplements(&SerialPortDelegate::serialPortDidReceiveData))
        postToDelegate([chunk](SerialPort& port, SerialPortDelegate& receiver) {
            if (receiver.serialPortDidReceiveData)
                receiver.serialPortDidReceiveData(port, chunk);
        });
    if (m_requestLayerActive.load())
        m_requestQueue.post([this, chunk = std::move(chunk)] { handleReceivedChunk(chunk); });
}

void SerialPort::reportRemoval(int code) {
    const bool firstFailure = !m_failureReported.exchange(true);
    std::weak_ptr<SerialPort> self = weak_from_this();
    if (self.expired())
        return;
    // One task: the error (unless this open already reported one), then the removal, which
    // closes the port. An open that has since been replaced is left alone.
    Platform::MainQueue::shared().post([self, receiver = delegate(),
                                        error = PosixError::fromCode(code, path()), firstFailure,
                                        generation = m_openGeneration.load()] {
        const std::shared_ptr<SerialPort> port = self.lock();
        if (!port || port->m_openGeneration.load() != generation)
            return;
        const std::shared_ptr<SerialPortDelegate> target = receiver.lock();
        if (firstFailure && target && target->serialPortDidEncounterError)
            target->serialPortDidEncounterError(*port, error);
        port->cleanupAfterSystemRemoval();
    });
}
