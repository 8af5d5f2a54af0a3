#pragma once

#include "Platform/SerialPortEnumerator.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

// The box at the far end of a serial line, on a pseudo-terminal pair: the dialer opens the
// slave as its serial port, the box reads and writes the master. A thread drains the master,
// keeps what the dialer wrote and answers scripted lines.
//
// Keep in mind how a pseudo-terminal differs from a real line: it has no modem lines, closing
// the master hangs the slave up, and until the dialer sets raw mode the slave echoes and maps
// CR to LF, so the box writes only once the port is open.
class PtyBox {
public:
    // `name` is how the device is listed ("ttyFAKE0"); each box of a test needs its own.
    explicit PtyBox(std::string name = "ttyFAKE0");
    ~PtyBox();
    PtyBox(const PtyBox&) = delete;
    PtyBox& operator=(const PtyBox&) = delete;

    // The slave's node ("/dev/pts/7") and the device entry that lists it.
    const std::string& slavePath() const { return m_slavePath; }
    Platform::SerialDevice device() const;
    // -1 once closed.
    int masterDescriptor() const;
    // The box keeps one slave descriptor of its own: without it, once the dialer's port closes,
    // the master would read end-of-file for ever. Termios calls on it act on the line.
    int spareSlaveDescriptor() const { return m_spareSlave; }

    // Box to dialer: writes all the bytes to the master; false once the master is closed.
    bool write(std::string_view bytes);
    // Dialer to box: everything read on the master so far.
    std::string received() const;
    void clearReceived();
    // Waits until the received bytes contain `text`, at most `timeout`.
    bool waitForReceived(const std::string& text, std::chrono::milliseconds timeout) const;

    // When the dialer writes `line` followed by "\r\n", the box writes `reply`.
    void answer(const std::string& line, std::string reply);
    // A box that stops reading: the line fills up and the dialer's writes block.
    void setDraining(bool draining);

    // Pulls the cable: the master closes and the slave hangs up for good.
    void closeMaster();
    // Closes the box's own slave descriptor too.
    void closeSpareSlave();

private:
    void drainLoop();
    void wake() const;
    void handleLines();

    std::string m_name;
    std::string m_slavePath;
    int m_master = -1;
    int m_spareSlave = -1;
    int m_wakeEvent = -1;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::string m_received;
    size_t m_scannedUpTo = 0;
    std::map<std::string, std::string> m_answers;
    bool m_draining = true;
    bool m_stopping = false;
    // The drain thread is not polling the master (so it may be closed).
    bool m_drainIdle = false;
    // The master is being written or closed outside the drain thread.
    std::mutex m_masterMutex;
    std::thread m_drainThread;
};
