#include "support/FakeSerialPort.h"

#include "Logic/connection/Serial/PosixError.h"
#include "Logic/connection/Serial/SerialPortDelegate.h"
#include "Logic/connection/Serial/SerialRequest.h"
#include "Platform/MainQueue.h"

#include <any>
#include <cerrno>

void FakeSerialPort::setDelegate(std::weak_ptr<SerialPortDelegate> delegate) {
    std::lock_guard lock(m_mutex);
    m_delegate = std::move(delegate);
}

template <typename Call>
void FakeSerialPort::post(Call call) {
    std::weak_ptr<SerialPortDelegate> delegate;
    {
        std::lock_guard lock(m_mutex);
        delegate = m_delegate;
    }
    std::weak_ptr<FakeSerialPort> self = weak_from_this();
    Platform::MainQueue::shared().post([self, delegate, call] {
        const auto port = self.lock();
        const auto target = delegate.lock();
        if (port != nullptr && target != nullptr)
            call(*port, *target);
    });
}

void FakeSerialPort::open() {
    if (m_open.load())
        return;
    ++m_openCount;
    if (m_failOpens.load()) {
        fail();
        return;
    }
    m_open.store(true);
    post([](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortWasOpened)
            delegate.serialPortWasOpened(port);
    });
}

bool FakeSerialPort::close() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_open.exchange(false))
            return true;
    }
    m_closed.notify_all();
    post([](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortWasClosed)
            delegate.serialPortWasClosed(port);
    });
    return true;
}

void FakeSerialPort::setWriteHook(std::function<void(const std::string&)> hook) {
    std::lock_guard lock(m_mutex);
    m_writeHook = std::move(hook);
}

bool FakeSerialPort::sendData(const std::string& bytes) {
    if (!m_open.load())
        return false;
    const int opening = m_openCount.load();
    std::function<void(const std::string&)> hook;
    {
        std::lock_guard lock(m_mutex);
        hook = m_writeHook;
    }
    if (hook)
        hook(bytes);
    std::lock_guard lock(m_mutex);
    // As on a real port, a close ends a write that was still waiting, also when the port was
    // opened again meanwhile.
    if (!m_open.load() || m_openCount.load() != opening)
        return false;
    m_written += bytes;
    return true;
}

bool FakeSerialPort::waitUntilClosed(std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_mutex);
    return m_closed.wait_for(lock, limit, [this] { return !m_open.load(); });
}

std::string FakeSerialPort::written() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

std::vector<std::string> FakeSerialPort::writtenLines() const {
    const std::string all = written();
    std::vector<std::string> lines;
    size_t start = 0;
    size_t end = 0;
    while ((end = all.find("\r\n", start)) != std::string::npos) {
        lines.push_back(all.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void FakeSerialPort::clearWritten() {
    std::lock_guard lock(m_mutex);
    m_written.clear();
}

void FakeSerialPort::deliver(const std::string& bytes) {
    post([bytes](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortDidReceiveData)
            delegate.serialPortDidReceiveData(port, bytes);
    });
}

void FakeSerialPort::fail() {
    post([](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortDidEncounterError)
            delegate.serialPortDidEncounterError(port, PosixError{EIO, "Input/output error", port.path()});
    });
}

void FakeSerialPort::remove() {
    post([](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortWasRemovedFromSystem)
            delegate.serialPortWasRemovedFromSystem(port);
    });
}

void FakeSerialPort::timeOutRequest() {
    const auto request = SerialRequest::requestWithDataToSend(
        std::string("?\r"), std::any(), 1.0, std::shared_ptr<const SerialPacketDescriptor>());
    post([request](FakeSerialPort& port, SerialPortDelegate& delegate) {
        if (delegate.serialPortRequestDidTimeout)
            delegate.serialPortRequestDidTimeout(port, *request);
    });
}
