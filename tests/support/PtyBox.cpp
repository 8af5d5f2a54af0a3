#include "support/PtyBox.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

PtyBox::PtyBox(std::string name) : m_name(std::move(name)) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char path[PATH_MAX] = {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, path, sizeof path) != 0)
        throw std::runtime_error("cannot make a pseudo-terminal");
    m_slavePath = path;
    m_spareSlave = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    m_wakeEvent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_spareSlave < 0 || m_wakeEvent < 0)
        throw std::runtime_error("cannot open the pseudo-terminal's slave");
    m_drainThread = std::thread(&PtyBox::drainLoop, this);
}

PtyBox::~PtyBox() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wake();
    m_drainThread.join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_spareSlave >= 0)
        ::close(m_spareSlave);
    ::close(m_wakeEvent);
}

Platform::SerialDevice PtyBox::device() const {
    return Platform::SerialDevice::named(m_name, m_slavePath, "");
}

int PtyBox::masterDescriptor() const {
    std::lock_guard lock(m_mutex);
    return m_master;
}

bool PtyBox::write(std::string_view bytes) {
    std::lock_guard writing(m_masterMutex);
    int master = masterDescriptor();
    while (!bytes.empty() && master >= 0) {
        const ssize_t written = ::write(master, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return master >= 0;
}

std::string PtyBox::received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void PtyBox::clearReceived() {
    std::lock_guard lock(m_mutex);
    m_received.clear();
    m_scannedUpTo = 0;
}

bool PtyBox::waitForReceived(const std::string& text, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_received.find(text) != std::string::npos; });
}

void PtyBox::answer(const std::string& line, std::string reply) {
    std::lock_guard lock(m_mutex);
    m_answers[line] = std::move(reply);
}

void PtyBox::setDraining(bool draining) {
    {
        std::lock_guard lock(m_mutex);
        m_draining = draining;
    }
    wake();
}

void PtyBox::closeMaster() {
    int master = -1;
    {
        std::lock_guard lock(m_mutex);
        master = m_master;
        m_master = -1;
    }
    // The drain thread and any writer let go of the descriptor before it is closed, so nothing
    // is left using a number that may be reused.
    wake();
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_drainIdle || m_stopping; });
    }
    std::lock_guard writing(m_masterMutex);
    if (master >= 0)
        ::close(master);
}

void PtyBox::closeSpareSlave() {
    if (m_spareSlave >= 0)
        ::close(m_spareSlave);
    m_spareSlave = -1;
}

void PtyBox::wake() const {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeEvent, &one, sizeof one);
}

void PtyBox::drainLoop() {
    char buffer[4096];
    for (;;) {
        int master = -1;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return;
            if (m_draining)
                master = m_master;
            m_drainIdle = master < 0;
        }
        m_changed.notify_all();
        pollfd watched[2] = {{m_wakeEvent, POLLIN, 0}, {master, POLLIN, 0}};
        if (::poll(watched, master >= 0 ? 2 : 1, -1) < 0 && errno != EINTR)
            return;
        if ((watched[0].revents & POLLIN) != 0) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t drained = ::read(m_wakeEvent, &count, sizeof count);
            continue;
        }
        if (master < 0 || (watched[1].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;
        const ssize_t count = ::read(master, buffer, sizeof buffer);
        if (count <= 0) {
            // Nobody holds the slave (EIO): stop reading until told otherwise.
            std::lock_guard lock(m_mutex);
            m_draining = false;
            continue;
        }
        {
            std::lock_guard lock(m_mutex);
            m_received.append(buffer, static_cast<size_t>(count));
        }
        handleLines();
        m_changed.notify_all();
    }
}

void PtyBox::handleLines() {
    std::string replies;
    {
        std::lock_guard lock(m_mutex);
        for (size_t end = m_received.find("\r\n", m_scannedUpTo); end != std::string::npos;
             end = m_received.find("\r\n", m_scannedUpTo)) {
            const std::string line = m_received.substr(m_scannedUpTo, end - m_scannedUpTo);
            m_scannedUpTo = end + 2;
            const auto found = m_answers.find(line);
            if (found != m_answers.end())
                replies += found->second;
        }
    }
    if (!replies.empty())
        write(replies);
}
