#include "Logic/connection/Serial/SerialPortManager.h"
#include "Platform/NotificationCenter.h"
#include "serial/SerialTestSupport.h"

#include <gtest/gtest.h>

#include <any>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace serialtest;
using Ports = SerialPortManager::Ports;

std::vector<std::string> namesOf(const Ports& ports) {
    std::vector<std::string> names;
    for (const auto& port : ports)
        names.push_back(port->name());
    return names;
}

bool lists(const Ports& ports, const std::shared_ptr<SerialPort>& port) {
    return std::find(ports.begin(), ports.end(), port) != ports.end();
}

// Every announcement of the manager, as "connected ttyFAKE0" or "disconnected" (none).
class AnnouncementLog {
public:
    AnnouncementLog() {
        Platform::NotificationCenter& centre = Platform::NotificationCenter::defaultCenter();
        m_tokens.push_back(centre.addObserver(SerialPortManager::SerialPortWasConnectedNotification, nullptr,
                                              [this](const auto& note) { note_(note, "connected"); }));
        m_tokens.push_back(centre.addObserver(SerialPortManager::SerialPortWasDisconnectedNotification,
                                              nullptr,
                                              [this](const auto& note) { note_(note, "disconnected"); }));
    }
    ~AnnouncementLog() {
        for (const auto token : m_tokens)
            Platform::NotificationCenter::defaultCenter().removeObserver(token);
    }
    AnnouncementLog(const AnnouncementLog&) = delete;
    AnnouncementLog& operator=(const AnnouncementLog&) = delete;

    const std::vector<std::string>& heard() const { return m_heard; }

private:
    void note_(const Platform::NotificationCenter::Notification& note, const std::string& kind) {
        const char* key = kind == "connected" ? SerialPortManager::ConnectedSerialPortsKey
                                              : SerialPortManager::DisconnectedSerialPortsKey;
        std::string text = kind;
        const auto found = note.userInfo.find(key);
        if (note.object != &SerialPortManager::sharedSerialPortManager() || found == note.userInfo.end()) {
            m_heard.push_back(text + " malformed");
            return;
        }
        for (const auto& port : std::any_cast<Ports>(found->second))
            text += " " + port->name();
        m_heard.push_back(text);
    }

    std::vector<uint64_t> m_tokens;
    std::vector<std::string> m_heard;
};

TEST(SerialPortManager, DiscoveryListsTheDevicesPresentByName) {
    if (managerMade())
        GTEST_SKIP() << "the manager of this process was made by an earlier test";
    PtyBox second("ttyFAKE1");
    PtyBox first("ttyFAKE0");
    FakeSerialPortEnumerator present({second.device(), first.device()});
    SerialPortManager& manager = sharedManagerMadeOffMain();
    EXPECT_EQ(namesOf(manager.availablePorts()), (std::vector<std::string>{"ttyFAKE0", "ttyFAKE1"}));
    EXPECT_EQ(manager.objectInAvailablePortsAtIndex(1), SerialPort::existingPortWithPath(second.slavePath()));
    EXPECT_TRUE(present.isMonitoring());
    present.announceRemoval({first.device(), second.device()});
    ASSERT_TRUE(pumpUntil([&] { return manager.countOfAvailablePorts() == 0; }));
}

// Devices come and go on the enumerator's thread; the list changes on the main queue only, and
// an open port that leaves is closed.
TEST_F(PortOnPty, ArrivalAndRemovalReachTheMainQueue) {
    ports.setDevices({}); // the line arrives during the test
    SerialPortManager& manager = sharedManagerMadeOffMain();
    AnnouncementLog announcements;
    std::vector<std::string> changes;
    const uint64_t observer = manager.addObserver([&](const std::string& key) { changes.push_back(key); });

    std::thread([&] { ports.announceArrival({box.device()}); }).join();
    EXPECT_FALSE(lists(manager.availablePorts(), port));
    ASSERT_TRUE(pumpUntil([&] { return announcements.heard().size() == 1; }));
    EXPECT_TRUE(lists(manager.availablePorts(), port));
    // Announced again while listed: not added twice, still announced.
    std::thread([&] { ports.announceArrival({box.device()}); }).join();
    ASSERT_TRUE(pumpUntil([&] { return announcements.heard().size() == 2; }));
    const Ports listed = manager.availablePorts();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), port), 1);

    ASSERT_TRUE(openAndWait());
    std::thread([&] { ports.announceRemoval({box.device()}); }).join();
    ASSERT_TRUE(
        pumpUntil([&] { return announcements.heard().size() == 3 && recorder.count("closed") == 1; }));
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(lists(manager.availablePorts(), port));
    // The device went away cleanly: no error of its own.
    EXPECT_EQ(recorder.events(), (std::vector<std::string>{"opened", "removed", "closed"}));

    ports.announceArrival({box.device()});
    ASSERT_TRUE(pumpUntil([&] { return announcements.heard().size() == 4; }));
    EXPECT_TRUE(lists(manager.availablePorts(), port));
    ports.announceRemoval({box.device()});
    ASSERT_TRUE(pumpUntil([&] { return announcements.heard().size() == 5; }));

    EXPECT_EQ(announcements.heard(),
              (std::vector<std::string>{"connected ttyFAKE0", "connected", "disconnected ttyFAKE0",
                                        "connected ttyFAKE0", "disconnected ttyFAKE0"}));
    EXPECT_EQ(changes, (std::vector<std::string>(4, "availablePorts")));
    manager.removeObserver(observer);
}

TEST_F(PortOnPty, TheListsCollectionOperationsKeepItsOrder) {
    SerialPortManager& manager = sharedManagerMadeOffMain();
    const Ports before = manager.availablePorts();
    PtyBox otherBox("ttyFAKE1");
    const auto other = SerialPort::serialPortWithDevice(otherBox.device());
    size_t changes = 0;
    const uint64_t observer = manager.addObserver([&](const std::string&) { ++changes; });

    manager.setAvailablePorts({});
    manager.insertObjectInAvailablePortsAtIndex(port, 0);
    manager.insertAvailablePorts({other, port}, {0, 2});
    EXPECT_EQ(manager.availablePorts(), (Ports{other, port, port}));
    manager.insertObjectInAvailablePortsAtIndex(other, 9); // past the end: ignored
    EXPECT_EQ(manager.countOfAvailablePorts(), 3U);
    EXPECT_EQ(manager.objectInAvailablePortsAtIndex(3), nullptr);
    manager.removeAvailablePortsAtIndexes({2, 0, 7});
    EXPECT_EQ(manager.availablePorts(), (Ports{port}));
    manager.removeObjectFromAvailablePortsAtIndex(0);
    EXPECT_TRUE(manager.availablePorts().empty());
    EXPECT_EQ(changes, 5U);

    manager.removeObserver(observer);
    manager.setAvailablePorts(before);
}

} // namespace
