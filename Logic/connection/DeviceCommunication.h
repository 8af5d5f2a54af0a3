#pragma once

#include "Logic/connection/CPPSerialBridge.h"
#include "Logic/protocol/CPPNotificationInfo.h"
#include "Logic/protocol/CommandParser.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class CPPConnectionSettings;
class CPPLine;

// The single owner of the link to the box: it holds the current profile, sends command lines
// and hands every record to the listener.
class DeviceCommunication {
public:
    // The one object, created on the first call; destroying it clears the pointer.
    static DeviceCommunication* getInstance();

    DeviceCommunication();
    ~DeviceCommunication();
    DeviceCommunication(const DeviceCommunication&) = delete;
    DeviceCommunication& operator=(const DeviceCommunication&) = delete;

    // Neither is owned; both must outlive their use here.
    void setListener(DeviceCommandNotificationListener* listener);
    void setSerialBridge(CPPSerialBridge* serialBridge);

    // A snapshot: it stays valid for its holder while the profile is replaced meanwhile.
    std::shared_ptr<const CPPConnectionSettings> getCurrentConnectionSettings() const;
    void setCurrentConnectionSettings(std::shared_ptr<const CPPConnectionSettings> settings);

    // The line singleton, taken at construction.
    CPPLine* getLine() const { return m_line; }

    bool isRedialPending() const { return m_redialPending.load(); }
    void setRedialPending(bool pending) { m_redialPending.store(pending); }
    // Reads and clears the flag in one step.
    bool takeRedialPending() { return m_redialPending.exchange(false); }

    bool isConnected() const { return m_status.load() >= 0; }

    // Sends one command line with "\r\n" appended. 1 when the serial side took it, the socket
    // result on Telnet, -1 without a profile or a way to send.
    int32_t sendCommand(std::string command);

    // Hands the record to the listener, on this thread; a null record is ignored.
    void dispatchNotification(std::unique_ptr<CPPNotificationInfo> record);

private:
    CommandParser m_builder;
    CPPLine* const m_line;
    std::atomic<int32_t> m_status{-1};
    std::atomic<DeviceCommandNotificationListener*> m_listener{nullptr};
    std::atomic<CPPSerialBridge*> m_serialBridge{nullptr};
    std::atomic<bool> m_redialPending{false};

    // A leaf: nothing is called while it is held.
    mutable std::mutex m_settingsMutex;
    std::shared_ptr<const CPPConnectionSettings> m_settings;
};
