#pragma once

#include "Logic/connection/Serial/PosixError.h"
#include "Logic/connection/Serial/PropertyObservers.h"
#include "Logic/connection/Serial/SerialBuffer.h"
#include "Logic/connection/Serial/SerialPacketDescriptor.h"
#include "Logic/connection/Serial/SerialPortDelegate.h"
#include "Logic/connection/Serial/SerialPortInterface.h"
#include "Logic/connection/Serial/SerialRequest.h"
#include "Platform/DispatchQueue.h"
#include "Platform/SerialPortEnumerator.h"
#include "Platform/ThreadGroup.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <termios.h>
#include <utility>
#include <vector>

// One serial device opened as a raw byte stream: exclusive open, termios line settings, a reader
// thread while open, blocking writes, and a delegate told of every event on the main queue
// (Platform::MainQueue), in the order the port saw them. Ports are shared objects: at most one
// lives per device path, and the serial port manager holds those of the devices present.
//
// Threads: any public call from any thread. While open, a reader thread waits in poll() for
// data and, when the line has modem lines, wakes every 10 ms to read them; it never waits for
// the main queue. The request and packet layer runs on the port's own serial queue.
// Locks: the state lock (open, close, applying settings) is taken before the write lock
// (sendData, and close's work on the descriptor); the reader takes neither.
//
// Flow control: RTS/CTS maps to the kernel's CRTSCTS. Linux has no flag for DTR/DSR input and
// output flow control or for DCD output flow control; those settings are stored and reported
// but change nothing on the line.
class SerialPort final : public SerialPortInterface, public std::enable_shared_from_this<SerialPort> {
public:
    // The port of the device: the live one for its path, else a new one with the defaults
    // (19200 baud, 1 stop bit, no parity, no echo, no flow control, RTS and DTR low).
    // Throws std::invalid_argument when the device has no path.
    static std::shared_ptr<SerialPort> serialPortWithDevice(const Platform::SerialDevice& device);
    // The port of the listed device whose path (or dial-in path) is `path`; null when none.
    static std::shared_ptr<SerialPort> serialPortWithPath(const std::string& path);
    // The listed device whose path or dial-in path is `path`; none for "" or an unknown path.
    static std::optional<Platform::SerialDevice> deviceFromBSDPath(const std::string& path);
    // The live port for the path, in order of creation; null when none.
    static std::shared_ptr<SerialPort> existingPortWithPath(const std::string& path);

    // Closes the port if it is still open (no delegate is told), and stops its threads.
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The device node, the port's identity ("/dev/ttyUSB0").
    std::string path() const override { return m_device.path; }
    // The kernel's name ("ttyUSB0"), which the port list shows.
    const std::string& name() const { return m_device.name; }
    const std::string& description() const { return m_device.name; }
    const Platform::SerialDevice& device() const { return m_device; }
    bool operator==(const SerialPort& other) const { return m_device.path == other.m_device.path; }

    void setDelegate(std::weak_ptr<SerialPortDelegate> delegate) override;
    std::weak_ptr<SerialPortDelegate> delegate() const;

    // Each setter stores a changed value and applies it at once to an open port; a closed port
    // applies it at the next open. A rate off the standard table needs
    // allowsNonStandardBaudRates; without it the port reports EINVAL.
    void setBaudRate(uint64_t baudRate) override;
    uint64_t baudRate() const { return m_baudRate.load(); }
    void setAllowsNonStandardBaudRates(bool allows) { m_allowsNonStandardBaudRates.store(allows); }
    bool allowsNonStandardBaudRates() const { return m_allowsNonStandardBaudRates.load(); }
    // 0 none, 1 odd, 2 even; any other value is stored as 0.
    void setParity(uint64_t parity) override;
    uint64_t parity() const { return m_parity.load(); }
    // Any value above 1 means two stop bits.
    void setNumberOfStopBits(uint64_t numberOfStopBits) override;
    uint64_t numberOfStopBits() const { return m_numberOfStopBits.load(); }
    void setShouldEchoReceivedData(bool echo);
    bool shouldEchoReceivedData() const { return m_shouldEchoReceivedData.load(); }
    // A change of flow control closes an open port and opens it again.
    void setUsesRTSCTSFlowControl(bool uses);
    bool usesRTSCTSFlowControl() const { return m_usesRTSCTSFlowControl.load(); }
    void setUsesDTRDSRFlowControl(bool uses);
    bool usesDTRDSRFlowControl() const { return m_usesDTRDSRFlowControl.load(); }
    void setUsesDCDOutputFlowControl(bool uses);
    bool usesDCDOutputFlowControl() const { return m_usesDCDOutputFlowControl.load(); }
    // The requested output lines.
    void setRTS(bool on);
    bool RTS() const { return m_RTS.load(); }
    void setDTR(bool on);
    bool DTR() const { return m_DTR.load(); }
    // The input lines as last polled; they change on the main queue.
    bool CTS() const { return m_CTS.load(); }
    bool DSR() const { return m_DSR.load(); }
    bool DCD() const { return m_DCD.load(); }

    // Opens the device exclusively and configures it; the delegate hears "opened" or an error.
    void open() override;
    bool isOpen() const override { return m_fileDescriptor.load() >= 0; }
    // The open descriptor, or -1.
    int fileDescriptor() const { return m_fileDescriptor.load(); }
    // Done when it returns: reader stopped, line settings restored, descriptor closed. The
    // delegate hears "closed" later, on the main queue. Always true.
    bool close() override;
    // Writes every byte, blocking the caller until the driver took them (a close ends the wait).
    // False when closed or when a write failed; the failure is reported once per open.
    bool sendData(const std::string& bytes) override;

    // The device went away: the delegate hears of it, then the port closes.
    void cleanupAfterSystemRemoval();
    // As cleanupAfterSystemRemoval, after a warning on standard error.
    void cleanup();
    // For the exit handler: stops the reader, restores the line and closes, telling no one.
    // A port busy opening or closing on another thread is left alone.
    void closeForExit();

    // Observers hear "isOpen" (open, close), "CTS", "DSR", "DCD" (on the main queue),
    // "queuedRequests" and "packetDescriptors".
    uint64_t addObserver(PropertyObservers::Callback callback) {
        return m_observers.addObserver(std::move(callback));
    }
    void removeObserver(uint64_t token) { m_observers.removeObserver(token); }

    // Requests: written one at a time; the bytes that follow are matched against the pending
    // request's response descriptor until it matches or the timeout passes. Returns whether the
    // request's bytes were written (true at once when it has to wait behind another). Never call
    // it from the port's request queue (a delegate callback runs on main, which is fine).
    bool sendRequest(std::shared_ptr<SerialRequest> request);
    // Removes a waiting request; the pending one stays.
    void cancelQueuedRequest(const std::shared_ptr<SerialRequest>& request);
    void cancelAllQueuedRequests();
    // The waiting requests, first to be sent first (the pending one is not among them).
    std::vector<std::shared_ptr<SerialRequest>> queuedRequests() const;

    // Packets: each descriptor gets a buffer of the received bytes and reports every packet it
    // recognises at its end. Listening survives closing and reopening the port.
    void startListeningForPacketsMatchingDescriptor(std::shared_ptr<const SerialPacketDescriptor> descriptor);
    void stopListeningForPacketsMatchingDescriptor(
        const std::shared_ptr<const SerialPacketDescriptor>& descriptor);
    // In the order listening started.
    std::vector<std::shared_ptr<const SerialPacketDescriptor>> packetDescriptors() const;

    // How the port reads and sets the modem lines; each returns 0 or an errno value. Tests
    // install their own, since a pseudo-terminal has no modem lines; empty members restore the
    // TIOCMGET/TIOCMSET calls.
    struct ModemLineAccess {
        std::function<int(int fileDescriptor, int& bits)> get;
        std::function<int(int fileDescriptor, int bits)> set;
    };
    static void setModemLineAccess(ModemLineAccess access);

private:
    explicit SerialPort(Platform::SerialDevice device);

    template <typename Value>
    void storeAndApply(std::atomic<Value>& setting, Value value);
    void changeFlowControl(std::atomic<bool>& setting, bool uses);
    void openLocked();
    void closeLocked(bool tellDelegate);
    void applyPortOptionsLocked();
    void updateModemLinesLocked();

    void readerLoop(int fileDescriptor, int stopEvent);
    // Reads the input lines and queues each change for the main queue; false when the line
    // failed (the removal is reported).
    bool pollModemLines(int fileDescriptor, int& lastBits);
    void deliverReceivedData(std::string chunk);
    // Reports the first failure of this open; later ones are dropped.
    void reportFailure(int code);
    // The reader found the device gone: error, then removal, in one main-queue task.
    void reportRemoval(int code);
    void reportError(int code);

    // Queues the call for the current delegate on the main queue; it is dropped when the port
    // or that delegate is gone by then.
    void postToDelegate(std::function<void(SerialPort& port, SerialPortDelegate& delegate)> call);
    // Whether the current delegate has the callback (an empty member means it has not).
    template <typename Member>
    bool delegateImplements(Member member) const {
        const std::shared_ptr<SerialPortDelegate> receiver = delegate().lock();
        return receiver && static_cast<bool>((*receiver).*member);
    }

    // The request and packet layer; every one of these runs on m_requestQueue.
    bool reallySendRequest(const std::shared_ptr<SerialRequest>& request);
    void sendNextRequest();
    void pendingRequestDidTimeout(uint64_t send);
    // Whether that send of a request is the one pending.
    bool isPendingSend(uint64_t send) const;
    void checkResponseToPendingRequestAndContinueIfValidWithReceivedByte(std::optional<char> byte);
    void handleReceivedChunk(const std::string& chunk);
    void resetRequestsAfterClose();
    void cancelTimeoutTimer();
    void updateRequestLayerActive();

    static void removeSerialPort(const SerialPort* port);

    const Platform::SerialDevice m_device;

    mutable std::mutex m_delegateMutex;
    std::weak_ptr<SerialPortDelegate> m_delegate;

    std::atomic<uint64_t> m_baudRate{19200};
    std::atomic<bool> m_allowsNonStandardBaudRates{false};
    std::atomic<uint64_t> m_numberOfStopBits{1};
    std::atomic<uint64_t> m_parity{0};
    std::atomic<bool> m_shouldEchoReceivedData{false};
    std::atomic<bool> m_usesRTSCTSFlowControl{false};
    std::atomic<bool> m_usesDTRDSRFlowControl{false};
    std::atomic<bool> m_usesDCDOutputFlowControl{false};
    std::atomic<bool> m_RTS{false};
    std::atomic<bool> m_DTR{false};
    std::atomic<bool> m_CTS{false};
    std::atomic<bool> m_DSR{false};
    std::atomic<bool> m_DCD{false};

    std::mutex m_stateMutex;
    std::mutex m_writeMutex;
    std::atomic<int> m_fileDescriptor{-1};
    // Readable once close has begun: wakes the reader and a blocked write. Set while open.
    int m_stopEvent = -1;
    termios m_originalPortAttributes{};
    // Cleared when a pseudo-terminal or a plain line answers that it has no modem lines.
    std::atomic<bool> m_hasModemLines{false};
    std::atomic<bool> m_failureReported{false};
    // Counts successful opens: an error or removal queued for an earlier open is dropped.
    std::atomic<uint64_t> m_openGeneration{0};
    Platform::ThreadGroup m_readerThreads;

    PropertyObservers m_observers;

    // Request layer state: only m_requestQueue's tasks touch it; the two lists are also read
    // by other threads under m_requestListsMutex, which the queue takes to change them.
    mutable std::mutex m_requestListsMutex;
    std::deque<std::shared_ptr<SerialRequest>> m_requestsQueue;
    std::vector<std::pair<std::shared_ptr<const SerialPacketDescriptor>, std::unique_ptr<SerialBuffer>>>
        m_packetDescriptorsAndBuffers;
    std::shared_ptr<SerialRequest> m_pendingRequest;
    // Numbers each send, so the time-out of an earlier one (the same request too, sent again
    // after a close) can tell it is not the pending send.
    uint64_t m_pendingRequestSend = 0;
    // A pending request whose time ran out while its delegate is being told: it takes no
    // more bytes, and it is replaced only by the step queued after the delegate's call.
    bool m_pendingRequestTimedOut = false;
    std::unique_ptr<SerialBuffer> m_requestResponseReceiveBuffer;
    Platform::DispatchQueue::TaskId m_pendingRequestTimeoutTimer = 0;
    // Something is pending, waiting or listened for: only then does received data go to the
    // queue, so a port used without requests never starts the queue's thread.
    std::atomic<bool> m_requestLayerActive{false};
    // Last, so it is destroyed first: its remaining tasks still use the fields above.
    Platform::DispatchQueue m_requestQueue;
};
