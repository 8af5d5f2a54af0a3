#include "Platform/Clock.h"
#include "Platform/Log.h"
#include "Platform/Paths.h"
#include "support/CapturingLog.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Restores an environment variable when the test ends.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const char* name) : m_name(name) {
        const char* value = std::getenv(name);
        m_had = value != nullptr;
        if (m_had)
            m_value = value;
    }
    ~ScopedEnvironment() {
        if (m_had)
            setenv(m_name, m_value.c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    bool m_had = false;
    std::string m_value;
};

TEST(Paths, DataFolderFollowsXdgDataHomeOnlyWhenAbsolute) {
    ScopedEnvironment keepData("XDG_DATA_HOME");
    ScopedEnvironment keepHome("HOME");
    TempDir home;
    setenv("HOME", home.path().c_str(), 1);

    setenv("XDG_DATA_HOME", "/data/here", 1);
    EXPECT_EQ(Platform::Paths::applicationDataFolder(), "/data/here/TessmarkDialer");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(Platform::Paths::applicationDataFolder(), home.path() + "/.local/share/TessmarkDialer");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Platform::Paths::applicationDataFolder(), home.path() + "/.local/share/TessmarkDialer");

    EXPECT_EQ(Platform::Paths::applicationName(), "TessmarkDialer");
    EXPECT_FALSE(Platform::Paths::version().empty());
}

TEST(Clock, InstalledClockReplacesTheSystemClock) {
    const std::time_t before = Platform::Clock::current().now();
    {
        FakeClock clock(1000);
        EXPECT_EQ(Platform::Clock::current().now(), 1000);
        const auto steady = Platform::Clock::current().steadyNow();
        clock.advanceSeconds(20);
        EXPECT_EQ(Platform::Clock::current().now(), 1020);
        EXPECT_EQ(Platform::Clock::current().steadyNow() - steady, std::chrono::seconds(20));
        // Sub-second steps add up on the wall clock too; a poll loop advances in such steps.
        clock.advance(std::chrono::milliseconds(500));
        clock.advance(std::chrono::milliseconds(500));
        EXPECT_EQ(Platform::Clock::current().now(), 1021);
    }
    EXPECT_GE(Platform::Clock::current().now(), before);
}

TEST(Log, SinksReceiveWholeLines) {
    CapturingLog capture;
    Platform::Log::out("[TELNET] Status code: -1");
    Platform::Log::err("[TELNET] >>> EP UA 1 KEY KEY_HOOK");
    EXPECT_EQ(capture.outLines(), (std::vector<std::string>{"[TELNET] Status code: -1"}));
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{"[TELNET] >>> EP UA 1 KEY KEY_HOOK"}));
}

TEST(Log, FileDescriptorSinkEndsEachLine) {
    TempDir folder;
    const std::string path = folder.file("log.txt");
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(descriptor, 0);
    Platform::FileDescriptorSink sink(descriptor);
    sink.write("first");
    sink.write("second line");
    ::close(descriptor);
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), "first\nsecond line\n");
}

} // namespace
