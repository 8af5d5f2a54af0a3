#include "connection/LinkFixture.h"

#include <filesystem>

namespace {

size_t entriesIn(const char* folder) {
    return static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

class ConnectCycles : public LinkFixture {};

// A thousand logins and closes leave no descriptor and no thread behind, and every one of
// them logs in afresh.
TEST_F(ConnectCycles, ThousandCyclesLeaveNothingBehind) {
    fakebox::FakeBoxScript script;
    script.replies.clear();
    fakebox::FakeBox box(script);
    // Counted without a device object: it holds a descriptor of its own while it lives.
    delete m_device;
    const size_t descriptors = entriesIn("/proc/self/fd");
    const size_t threads = entriesIn("/proc/self/task");
    m_device = DeviceCommunication::getInstance();
    m_device->setListener(&m_listener);
    m_device->setTimings(testTimings());
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        m_listener.clear();
        connect(profileP(box.port()));
        ASSERT_TRUE(waitForLoginPass(1)) << "cycle " << cycle;
        m_device->closeConnection();
    }
    ASSERT_TRUE(box.waitForPeerClose(1000, SOON));
    delete m_device;
    m_device = nullptr;
    EXPECT_EQ(entriesIn("/proc/self/fd"), descriptors);
    EXPECT_EQ(entriesIn("/proc/self/task"), threads);
    EXPECT_EQ(box.connectionCount(), 1000);
}

} // namespace
