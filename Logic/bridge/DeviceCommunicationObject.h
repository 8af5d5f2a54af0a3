#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/Line.h"

class CPPConnectionSettings;
class CPPLine;
class DeviceCommandNotificationListenerObjCPP;
class DeviceCommunication;
class SerialBridge;
class SerialPortInterface;
struct SerialPortDelegate;

// The face of the device connection that the interface sees: it forwards connecting and
// every command operation to the core's DeviceCommunication, and it owns the serial port of
// a serial link (opening the profile's port, writing the core's commands, cutting what the
// box sends into messages at its prompt, reporting the port's state to the core).
//
// The core object is given at construction and may be replaced or cleared later (the core's
// open and close do that); with none every method does nothing (isOnline false, sendCommand
// -1). The object never creates a core itself.
//
// Each opening of a port makes a binding: the link number it was opened for, a fresh receive
// buffer and a delegate of its own. A port's events go to the binding they were posted for,
// so a replaced port's late data is discarded and its late errors never close the newer port;
// its reports reach the core with the older link number, which the core drops.
//
// Threads: the serial-transport methods run on whatever thread the core calls the bridge
// from (connect, receive or main); the port's events arrive on the main queue. The object's
// mutex guards the binding and is never held while calling out.
class DeviceCommunicationObject {
public:
    // Every port present, in the order the port manager lists them.
    using PortList = std::function<std::vector<std::shared_ptr<SerialPortInterface>>()>;

    // Installs its notification listener (posting through DeviceCommandListener) and its serial
    // bridge on core (when given).
    explicit DeviceCommunicationObject(DeviceCommunication* core);
    // Takes its listener and bridge off the core it still points at; clear the core pointer
    // first when that core is gone.
    ~DeviceCommunicationObject();
    DeviceCommunicationObject(const DeviceCommunicationObject&) = delete;
    DeviceCommunicationObject& operator=(const DeviceCommunicationObject&) = delete;

    // A new core gets the listener and the serial bridge; nullptr turns every method into a
    // no-op.
    void setDeviceCommunication(DeviceCommunication* core);
    DeviceCommunication* deviceCommunication() const { return m_core.load(); }
    // Where openSerialConnection finds ports: the serial port manager's list (read when the
    // port is opened), unless a test gives its own.
    void setPortList(PortList ports);

    // Makes the profile's own fields (not its keys or commands) the current profile before it
    // returns, then connects on the core's connect thread; progress arrives as posts.
    void connect(const ConnectionSettings& settings);
    // The current profile with the keys and commands the store holds for it; null before the
    // first connect or without a core.
    ConnectionSettingsPtr currentConnectionSettings() const;
    // The current profile's phone type (0 without one) and room name, read without the store:
    // the screens ask on every record, and a burst from the box may bring thousands a second.
    int64_t currentPhoneType() const;
    std::string currentRoomName() const;
    // A new snapshot of the line on every call, never null (the line model alone without a
    // core). Reads the store for the parties' contacts: once per handler.
    LinePtr line() const;
    // The same snapshot without the parties' contacts, read without the store: for the
    // handlers that look only at states, which run on every record of a burst.
    LinePtr lineWithoutContacts() const;

    bool isOnline() const;
    // The core's result (-1 without a profile or core).
    int64_t sendCommand(const std::string& command);

    void volumePress(bool up);
    void volumeRelease(bool up);
    void volumeQuery();
    void volumeQueryMinMaxValue(bool max);
    void mutePress();
    void muteQuery();
    void sliderAction(bool pressed, float gain);
    // text is the command to send.
    void customButton(bool pressed, const std::string& text);
    void activateUpdateCallForwarding(bool activate, int64_t type, const std::string& number);
    void deactivateCallForwarding();
    // Any mode but 0 switches do-not-disturb on.
    void changeDoNotDisturbMode(int64_t mode);
    void queryDoNotDisturbMode();
    void call(const std::string& number);
    void answer(int64_t partyId);
    void hold(int64_t partyId);
    void resume(int64_t partyId);
    void endCall(int64_t partyId);
    void newCall(int64_t partyId);
    void conference(int64_t partyId);
    void reject(int64_t partyId);
    void cancelTransfer(int64_t partyId);
    void completeTransfer(int64_t partyId);
    void transfer(bool assisted, int64_t lineId);
    void keyDigitPressed(const std::string& digit);
    void keyDigitReleased(const std::string& digit);
    void hookFlash();
    void redial();

    // The serial transport, reached through the core's serial bridge.
    // Opens the port whose path is the current profile's serial path (57600 baud, no parity,
    // one stop bit), first closing the previous port if it is still open. No profile or no
    // such port: nothing at all.
    void openSerialConnection();
    // Closes the current port when it is open.
    void closeSerialConnection();
    // Logs "[Serial] >>> " and the command, then writes it to the current port, if any.
    void sendCommandUsingSerialPort(const std::string& command);

private:
    struct Binding;

    template <typename Action>
    void withCore(Action action) {
        if (DeviceCommunication* core = m_core.load())
            action(*core);
    }

    // The core's current profile; null without a core or a profile.
    std::shared_ptr<const CPPConnectionSettings> currentProfile() const;
    // A copy of the core's line (the line model alone without a core), made under its lock.
    CPPLine lineCopy() const;

    std::shared_ptr<SerialPortDelegate> makeDelegate(const std::shared_ptr<Binding>& binding);
    void report(int32_t code, const std::string& text, uint64_t link);
    // Cuts the binding's buffer into messages and hands each to the core.
    void receive(const std::shared_ptr<Binding>& binding, const std::string& bytes);
    // Closes the binding's port, only while it is the current binding.
    void closeIfCurrent(const std::shared_ptr<Binding>& binding);
    std::shared_ptr<SerialPortInterface> currentPort() const;

    std::atomic<DeviceCommunication*> m_core{nullptr};
    std::unique_ptr<DeviceCommandNotificationListenerObjCPP> m_listener;
    std::unique_ptr<SerialBridge> m_bridge;

    mutable std::mutex m_mutex;
    PortList m_ports;
    std::shared_ptr<Binding> m_binding;
    // The one before, kept alive so its port's last events still arrive (and are dropped).
    std::shared_ptr<Binding> m_previousBinding;
};
