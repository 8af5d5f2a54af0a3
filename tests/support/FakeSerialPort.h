#pragma once

#include "Logic/connection/Serial/SerialPortInterface.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A serial port that exists only in memory. Like the real one it tells its delegate of every
// event through Platform::MainQueue::shared(), so the test (the main thread) drains the queue
// to see them. The test plays the box with deliver() and the device's troubles with fail()
// and remove().
class FakeSerialPort final : public SerialPortInterface, public std::enable_shared_from_this<FakeSerialPort> {
public:
    explicit FakeSerialPort(std::string path) : m_path(std::move(path)) {}

    std::string path() const override { return m_path; }
    void setDelegate(std::weak_ptr<SerialPortDelegate> delegate) override;
    void setBaudRate(uint64_t baudRate) override { m_baudRate.store(baudRate); }
    void setParity(uint64_t parity) override { m_parity.store(parity); }
    void setNumberOfStopBits(uint64_t stopBits) override { m_stopBits.store(stopBits); }
    // Opens at once (or, with failOpens set, reports an error) and posts "opened".
    void open() override;
    bool isOpen() const override { return m_open.load(); }
    // Closes at once and posts "closed".
    bool close() override;
    // Keeps the bytes; false when closed, also when the port closed (and maybe opened again)
    // while the write hook held it.
    bool sendData(const std::string& bytes) override;
    // Whether the port is closed by the end of limit (at once when it is already).
    bool waitUntilClosed(std::chrono::milliseconds limit) const;

    uint64_t baudRate() const { return m_baudRate.load(); }
    uint64_t parity() const { return m_parity.load(); }
    uint64_t numberOfStopBits() const { return m_stopBits.load(); }
    int openCount() const { return m_openCount.load(); }
    void setFailOpens(bool fail) { m_failOpens.store(fail); }

    // Called with every write to the open port, on the writing thread and before the bytes are
    // kept, so a test can hold a writer there.
    void setWriteHook(std::function<void(const std::string&)> hook);

    // Everything the dialer wrote, and the same cut into lines at "\r\n".
    std::string written() const;
    std::vector<std::string> writtenLines() const;
    void clearWritten();

    // Posts received bytes, an error (EIO), the time-out of a request or the removal of the
    // device.
    void deliver(const std::string& bytes);
    void fail();
    void timeOutRequest();
    void remove();

private:
    // Posts to the main queue a call of one delegate member, made only if both the port and
    // its delegate (as set now) are still alive then.
    template <typename Call>
    void post(Call call);

    const std::string m_path;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_closed;
    std::weak_ptr<SerialPortDelegate> m_delegate;
    std::string m_written;
    std::function<void(const std::string&)> m_writeHook;
    std::atomic<uint64_t> m_baudRate{19200};
    std::atomic<uint64_t> m_parity{0};
    std::atomic<uint64_t> m_stopBits{1};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_failOpens{false};
    std::atomic<int> m_openCount{0};
};
