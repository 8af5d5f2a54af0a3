#pragma once

#include <atomic>
#include <functional>
#include <string>

class DeviceCommunication;

// Opens the core as one unit: the database file with its tables, the schema revision, the
// indexes, then the device communication object, which it owns until close.
// Interface thread only.
class CPPDialerCore {
public:
    static CPPDialerCore& getInstance();

    CPPDialerCore(const CPPDialerCore&) = delete;
    CPPDialerCore& operator=(const CPPDialerCore&) = delete;

    // Creates the tables of a new file (missing, unreadable or empty); brings any file to the
    // current revision and makes its indexes. True when the device communication object
    // exists afterwards. A failure writes the database's reason to standard error once.
    bool open(const std::string& path);
    // Connects the first auto-connect profile by room name; nothing without an open core.
    void postDidLaunch();
    // Closes the database, then the link; calls detach (whoever holds the device communication
    // object lets go of it), then destroys the object, its threads joined. False, with the
    // link left up, when the database refuses to close.
    bool close(const std::function<void()>& detach = {});

    // Null until open succeeds and after close; any thread may read it.
    DeviceCommunication* getDeviceCommunication() const { return m_deviceCommunication.load(); }

private:
    CPPDialerCore() = default;

    bool createTables();

    std::atomic<DeviceCommunication*> m_deviceCommunication{nullptr};
};
