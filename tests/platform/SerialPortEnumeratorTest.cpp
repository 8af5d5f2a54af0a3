#include "Platform/SerialPortEnumerator.h"
#include "Platform/UdevSerialPortEnumerator.h"
#include "support/FakeSerialPortEnumerator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

using Platform::SerialDevice;
using Platform::SerialPortEnumerator;

std::vector<std::string> namesOf(const std::vector<SerialDevice>& devices) {
    std::vector<std::string> names;
    for (const SerialDevice& device : devices)
        names.push_back(device.name);
    return names;
}

TEST(SerialDevice, SplitsTheKernelNameIntoBaseAndNumber) {
    const std::vector<std::vector<std::string>> cases = {
        {"ttyUSB0", "ttyUSB", "0"}, {"ttyACM12", "ttyACM", "12"}, {"console", "console", ""}, {"7", "", "7"}};
    for (const auto& row : cases) {
        const SerialDevice device = SerialDevice::named(row[0], "/dev/" + row[0], "drv");
        EXPECT_EQ(device.baseName, row[1]);
        EXPECT_EQ(device.suffix, row[2]);
        EXPECT_EQ(device.path, "/dev/" + row[0]);
        EXPECT_EQ(device.dialinPath, device.path);
        EXPECT_EQ(device.serviceType, "drv");
    }
}

// The fallback reading of /sys/class/tty must list real lines only: a virtual terminal or an
// empty UART slot in the pop-up is a port that can never work.
TEST(UdevSerialPortEnumerator, ClassFolderScanKeepsLinesWithHardware) {
    namespace fs = std::filesystem;
    TempDir sys;
    const fs::path drivers = fs::path(sys.path()) / "drivers";
    const auto line = [&](const std::string& name, const char* type, const char* driver) {
        const fs::path tty = fs::path(sys.path()) / "class" / name;
        fs::create_directories(tty);
        if (type != nullptr)
            std::ofstream(tty / "type") << type << "\n";
        if (driver != nullptr) {
            const fs::path hardware = fs::path(sys.path()) / "devices" / name;
            fs::create_directories(hardware);
            fs::create_directories(drivers / driver);
            fs::create_directory_symlink(hardware, tty / "device");
            if (driver[0] != '\0')
                fs::create_directory_symlink(drivers / driver, hardware / "driver");
        }
    };
    line("ttyUSB0", nullptr, "ftdi_sio");
    line("ttyS0", "4", "port");
    line("ttyS1", "0", "port");     // an empty UART slot
    line("tty5", nullptr, nullptr); // a virtual terminal: no hardware
    line("ttyACM0", nullptr, "");   // hardware without a bound driver

    const std::vector<SerialDevice> found =
        Platform::UdevSerialPortEnumerator::scanClassFolder((fs::path(sys.path()) / "class").string());
    EXPECT_EQ(namesOf(found), (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB0"}));
    EXPECT_EQ(found[0].serviceType, "");
    EXPECT_EQ(found[1].serviceType, "port");
    EXPECT_EQ(found[2], SerialDevice::named("ttyUSB0", "/dev/ttyUSB0", "ftdi_sio"));

    EXPECT_TRUE(Platform::UdevSerialPortEnumerator::scanClassFolder(sys.file("missing")).empty());
}

TEST(UdevSerialPortEnumerator, ListsThisMachinesLinesByUniqueName) {
    Platform::UdevSerialPortEnumerator enumerator;
    const std::vector<SerialDevice> found = enumerator.devices();
    const std::vector<std::string> names = namesOf(found);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const SerialDevice& device : found) {
        EXPECT_EQ(device.path.rfind("/dev/", 0), 0U) << device.path;
        EXPECT_NE(device.name.rfind("tty", 0), std::string::npos) << device.name;
    }
}

// The manager is made once per process; its watch must follow each test's installed devices,
// or a later test's announcements would go nowhere.
TEST(SerialPortEnumerator, AWatchMovesToEachInstalledEnumerator) {
    std::vector<std::string> heard;
    const auto listen = [&heard](const char* kind) {
        return [&heard, kind](std::vector<SerialDevice> devices) {
            for (const SerialDevice& device : devices)
                heard.push_back(std::string(kind) + " " + device.name);
        };
    };
    const SerialDevice first = SerialDevice::named("ttyFAKE0", "/dev/pts/90", "");
    const SerialDevice second = SerialDevice::named("ttyFAKE1", "/dev/pts/91", "");
    {
        FakeSerialPortEnumerator older({second});
        EXPECT_EQ(&SerialPortEnumerator::current(), &older);
        ASSERT_TRUE(SerialPortEnumerator::startMonitoringCurrent(listen("arrived"), listen("removed")));
        older.announceArrival({first});
        EXPECT_EQ(namesOf(older.devices()), (std::vector<std::string>{"ttyFAKE0", "ttyFAKE1"}));
        {
            FakeSerialPortEnumerator newer;
            EXPECT_FALSE(older.isMonitoring());
            EXPECT_TRUE(newer.isMonitoring());
            older.announceRemoval({first});
            newer.announceRemoval({second});
            SerialPortEnumerator::install(&older);
        }
        EXPECT_TRUE(older.isMonitoring());
        older.announceArrival({second});
        SerialPortEnumerator::stopMonitoringCurrent();
        EXPECT_FALSE(older.isMonitoring());
        older.announceRemoval({second});
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"arrived ttyFAKE0", "removed ttyFAKE1", "arrived ttyFAKE1"}));
    EXPECT_NE(dynamic_cast<Platform::UdevSerialPortEnumerator*>(&SerialPortEnumerator::current()), nullptr);
}

} // namespace
