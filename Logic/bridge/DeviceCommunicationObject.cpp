#include "Logic/bridge/DeviceCommunicationObject.h"

#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommandNotificationListenerObjCPP.h"
#include "Logic/bridge/LineConversions.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/bridge/ProfileConversions.h"
#include "Logic/bridge/SerialBridge.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/connection/Serial/SerialPortDelegate.h"
#include "Logic/connection/Serial/SerialPortInterface.h"
#include "Logic/connection/Serial/SerialPortManager.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/protocol/CommandParser.h"
#include "Platform/Log.h"

#include <string_view>
#include <utility>

namespace {

// The box ends every reply with this prompt on the serial line.
constexpr std::string_view SERIAL_PROMPT = "\n\r=> ";
constexpr uint64_t SERIAL_BAUD_RATE = 57600;
constexpr uint64_t NO_PARITY = 0;
constexpr uint64_t ONE_STOP_BIT = 1;

// The ports present now. The manager is made on the first call, so a program that never opens
// a serial link never lists the machine's devices.
std::vector<std::shared_ptr<SerialPortInterface>> presentPorts() {
    const SerialPortManager::Ports present = SerialPortManager::sharedSerialPortManager().availablePorts();
    return {present.begin(), present.end()};
}

bool isAsciiWhitespace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\v' ||
           character == '\f' || character == '\r';
}

std::string trimAsciiWhitespace(std::string_view text) {
    while (!text.empty() && isAsciiWhitespace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isAsciiWhitespace(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

struct DeviceCommunicationObject::Binding {
    uint64_t link = 0;
    std::shared_ptr<SerialPortInterface> port;
    std::shared_ptr<SerialPortDelegate> delegate;
    // Received bytes not yet cut into messages; guarded by the object's mutex.
    std::string buffer;
};

DeviceCommunicationObject::DeviceCommunicationObject(DeviceCommunication* core)
    : m_listener(std::make_unique<DeviceCommandNotificationListenerObjCPP>()),
      m_bridge(std::make_unique<SerialBridge>(*this)), m_ports(presentPorts) {
    m_listener->setListener(&DeviceCommandListener::getInstance());
    setDeviceCommunication(core);
}

DeviceCommunicationObject::~DeviceCommunicationObject() {
    if (DeviceCommunication* core = m_core.load()) {
        core->setListener(nullptr);
        core->setSerialBridge(nullptr);
    }
}

void DeviceCommunicationObject::setDeviceCommunication(DeviceCommunication* core) {
    m_core.store(core);
    if (core != nullptr) {
        core->setListener(m_listener.get());
        core->setSerialBridge(m_bridge.get());
    }
}

void DeviceCommunicationObject::connect(const ConnectionSettings& settings) {
    withCore([&](DeviceCommunication& core) {
        core.connect(std::make_shared<const CPPConnectionSettings>(connectionSettingsToCpp(settings)));
    });
}

std::shared_ptr<const CPPConnectionSettings> DeviceCommunicationObject::currentProfile() const {
    DeviceCommunication* core = m_core.load();
    return core != nullptr ? core->getCurrentConnectionSettings() : nullptr;
}

ConnectionSettingsPtr DeviceCommunicationObject::currentConnectionSettings() const {
    const std::shared_ptr<const CPPConnectionSettings> current = currentProfile();
    return current != nullptr ? connectionSettingsFromCpp(*current) : nullptr;
}

int64_t DeviceCommunicationObject::currentPhoneType() const {
    const std::shared_ptr<const CPPConnectionSettings> current = currentProfile();
    return current != nullptr ? widenUnsigned(current->getPhoneType()) : 0;
}

std::string DeviceCommunicationObject::currentRoomName() const {
    const std::shared_ptr<const CPPConnectionSettings> current = currentProfile();
    return current != nullptr ? current->getRoomName() : std::string();
}

CPPLine DeviceCommunicationObject::lineCopy() const {
    DeviceCommunication* core = m_core.load();
    return CPPLine(core != nullptr ? *core->getLine() : CPPLine::getInstance());
}

LinePtr DeviceCommunicationObject::line() const {
    // The conversion reads the store, so it works on a copy, without the line's lock.
    return lineFromCpp(lineCopy());
}

LinePtr DeviceCommunicationObject::lineWithoutContacts() const {
    return lineWithoutContactsFromCpp(lineCopy());
}

void DeviceCommunicationObject::setPortList(PortList ports) {
    std::lock_guard lock(m_mutex);
    m_ports = std::move(ports);
}

bool DeviceCommunicationObject::isOnline() const {
    DeviceCommunication* core = m_core.load();
    return core != nullptr && core->isConnected();
}

int64_t DeviceCommunicationObject::sendCommand(const std::string& command) {
    DeviceCommunication* core = m_core.load();
    return core != nullptr ? core->sendCommand(command) : -1;
}

void DeviceCommunicationObject::volumePress(bool up) {
    withCore([&](DeviceCommunication& core) { core.volumePress(up); });
}

void DeviceCommunicationObject::volumeRelease(bool up) {
    withCore([&](DeviceCommunication& core) { core.volumeRelease(up); });
}

void DeviceCommunicationObject::volumeQuery() {
    withCore([](DeviceCommunication& core) { core.volumeQuery(); });
}

void DeviceCommunicationObject::volumeQueryMinMaxValue(bool max) {
    withCore([&](DeviceCommunication& core) { core.volumeQueryMinMaxValue(max); });
}

void DeviceCommunicationObject::mutePress() {
    withCore([](DeviceCommunication& core) { core.mutePress(); });
}

void DeviceCommunicationObject::muteQuery() {
    withCore([](DeviceCommunication& core) { core.muteQuery(); });
}

void DeviceCommunicationObject::sliderAction(bool pressed, float gain) {
    withCore([&](DeviceCommunication& core) { core.sliderAction(pressed, gain); });
}

void DeviceCommunicationObject::customButton(bool pressed, const std::string& text) {
    withCore([&](DeviceCommunication& core) { core.customButton(text, pressed); });
}

void DeviceCommunicationObject::activateUpdateCallForwarding(bool activate, int64_t type,
                                                             const std::string& number) {
    withCore([&](DeviceCommunication& core) {
        core.activateUpdateCallForwarding(activate, static_cast<int32_t>(type), number);
    });
}

void DeviceCommunicationObject::deactivateCallForwarding() {
    withCore([](DeviceCommunication& core) { core.deactivateCallForwarding(); });
}

void DeviceCommunicationObject::changeDoNotDisturbMode(int64_t mode) {
    withCore([&](DeviceCommunication& core) { core.changeDoNotDisturbMode(mode != 0); });
}

void DeviceCommunicationObject::queryDoNotDisturbMode() {
    withCore([](DeviceCommunication& core) { core.queryDoNotDisturbMode(); });
}

void DeviceCommunicationObject::call(const std::string& number) {
    withCore([&](DeviceCommunication& core) { core.call(number); });
}

void DeviceCommunicationObject::answer(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.answer(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::hold(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.hold(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::resume(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.resume(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::endCall(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.endCall(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::newCall(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.newCall(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::conference(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.conference(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::reject(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.reject(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::cancelTransfer(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.cancelTransfer(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::completeTransfer(int64_t partyId) {
    withCore([&](DeviceCommunication& core) { core.completeTransfer(static_cast<int32_t>(partyId)); });
}

void DeviceCommunicationObject::transfer(bool assisted, int64_t lineId) {
    withCore([&](DeviceCommunication& core) { core.transfer(assisted, static_cast<int32_t>(lineId)); });
}

void DeviceCommunicationObject::keyDigitPressed(const std::string& digit) {
    withCore([&](DeviceCommunication& core) { core.keyDigitPressed(digit); });
}

void DeviceCommunicationObject::keyDigitReleased(const std::string& digit) {
    withCore([&](DeviceCommunication& core) { core.keyDigitReleased(digit); });
}

void DeviceCommunicationObject::hookFlash() {
    withCore([](DeviceCommunication& core) { core.hookFlash(); });
}

void DeviceCommunicationObject::redial() {
    withCore([](DeviceCommunication& core) { core.redial(); });
}

void DeviceCommunicationObject::openSerialConnection() {
    DeviceCommunication* core = m_core.load();
    if (core == nullptr)
        return;
    const std::shared_ptr<const CPPConnectionSettings> settings = core->getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    const std::string path = settings->getSerialPath();
    PortList ports;
    {
        std::lock_guard lock(m_mutex);
        ports = m_ports;
    }
    std::shared_ptr<SerialPortInterface> port;
    if (ports) {
        for (const std::shared_ptr<SerialPortInterface>& candidate : ports()) {
            if (candidate != nullptr && candidate->path() == path) {
                port = candidate;
                break;
            }
        }
    }
    if (port == nullptr)
        return;

    // The previous port goes first; its "closed" is reported under its own, older link.
    if (const std::shared_ptr<SerialPortInterface> previous = currentPort(); previous && previous->isOpen())
        previous->close();
    auto binding = std::make_shared<Binding>();
    binding->link = core->linkGeneration();
    binding->port = port;
    binding->delegate = makeDelegate(binding);
    {
        std::lock_guard lock(m_mutex);
        m_previousBinding = std::exchange(m_binding, binding);
    }
    port->setDelegate(binding->delegate);
    port->setBaudRate(SERIAL_BAUD_RATE);
    port->setParity(NO_PARITY);
    port->setNumberOfStopBits(ONE_STOP_BIT);
    core->serialStatusChanged(0, "", binding->link);
    port->open();
}

void DeviceCommunicationObject::closeSerialConnection() {
    const std::shared_ptr<SerialPortInterface> port = currentPort();
    if (port != nullptr && port->isOpen())
        port->close();
}

void DeviceCommunicationObject::sendCommandUsingSerialPort(const std::string& command) {
    // The command ends in its own line end; the log adds the last "\n".
    std::string_view shown = command;
    if (!shown.empty() && shown.back() == '\n')
        shown.remove_suffix(1);
    Platform::Log::out("[Serial] >>> " + std::string(shown));
    if (const std::shared_ptr<SerialPortInterface> port = currentPort())
        port->sendData(command);
}

std::shared_ptr<SerialPortDelegate>
DeviceCommunicationObject::makeDelegate(const std::shared_ptr<Binding>& binding) {
    // Weak: the binding owns the delegate, and the port holds the delegate only weakly.
    const std::weak_ptr<Binding> weak = binding;
    auto delegate = std::make_shared<SerialPortDelegate>();
    const auto status = [this, weak](int32_t code, const char* text) {
        if (const std::shared_ptr<Binding> bound = weak.lock())
            report(code, text, bound->link);
    };
    const auto close = [this, weak] {
        if (const std::shared_ptr<Binding> bound = weak.lock())
            closeIfCurrent(bound);
    };
    delegate->serialPortWasOpened = [status](SerialPortInterface&) { status(1, ""); };
    delegate->serialPortWasClosed = [status](SerialPortInterface&) { status(2, "Connection closed"); };
    delegate->serialPortRequestDidTimeout = [status, close](SerialPortInterface&, const SerialRequest&) {
        status(2, "Connection timeout");
        close();
    };
    delegate->serialPortDidEncounterError = [status, close](SerialPortInterface&, const PosixError&) {
        status(2, "Failed to connect to device");
        close();
    };
    // A removed device is only closed; its "closed" says the rest.
    delegate->serialPortWasRemovedFromSystem = [close](SerialPortInterface&) { close(); };
    delegate->serialPortDidReceiveData = [this, weak](SerialPortInterface&, const std::string& bytes) {
        if (const std::shared_ptr<Binding> bound = weak.lock())
            receive(bound, bytes);
    };
    return delegate;
}

void DeviceCommunicationObject::report(int32_t code, const std::string& text, uint64_t link) {
    if (DeviceCommunication* core = m_core.load())
        core->serialStatusChanged(code, text, link);
}

void DeviceCommunicationObject::receive(const std::shared_ptr<Binding>& binding, const std::string& bytes) {
    std::vector<std::string> messages;
    size_t droppedBytes = 0;
    {
        std::lock_guard lock(m_mutex);
        // Data of a replaced port belongs to no link any more.
        if (binding != m_binding)
            return;
        std::string& buffer = binding->buffer;
        buffer += bytes;
        size_t start = 0;
        size_t prompt = 0;
        while ((prompt = buffer.find(SERIAL_PROMPT, start)) != std::string::npos) {
            messages.push_back(trimAsciiWhitespace(std::string_view(buffer).substr(start, prompt - start)));
            start = prompt + SERIAL_PROMPT.size();
        }
        buffer.erase(0, start);
        // A box that never sends its prompt must not grow the buffer without end.
        if (buffer.size() > CommandParser::MAX_RECEIVED_TAIL_BYTES) {
            droppedBytes = buffer.size();
            buffer.clear();
        }
    }
    if (droppedBytes > 0)
        Platform::Log::out("[Serial] Dropped " + std::to_string(droppedBytes) +
                           " received bytes without a prompt");
    DeviceCommunication* core = m_core.load();
    for (const std::string& message : messages) {
        Platform::Log::out("[Serial] <<< " + message);
        if (core != nullptr)
            core->serialDataReceived(message);
    }
}

void DeviceCommunicationObject::closeIfCurrent(const std::shared_ptr<Binding>& binding) {
    {
        std::lock_guard lock(m_mutex);
        if (binding != m_binding)
            return;
    }
    if (binding->port->isOpen())
        binding->port->close();
}

std::shared_ptr<SerialPortInterface> DeviceCommunicationObject::currentPort() const {
    std::lock_guard lock(m_mutex);
    return m_binding != nullptr ? m_binding->port : nullptr;
}
