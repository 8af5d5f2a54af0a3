#include "CsvFiles.h"
#include "Logic/bridge/CPPDialerCore.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommandListener.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/connection/DeviceCommunication.h"
#include "support/CapturingLog.h"
#include "support/CoreFixture.h"
#include "support/PostCollector.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::vector<std::string> tablesInOrder = {
    "Contact",       "ContactNumber", "ConnectionSettings", "CustomKey",           "MuteCommand",
    "VolumeCommand", "CallLog",       "SecuritySettings",   "PreferencesSettings", "MIGRATION"};

class CoreLifecycleTest : public CoreFixture {
protected:
    // The tables the traced create statements made, in order.
    std::vector<std::string> createdTables() {
        std::vector<std::string> tables;
        for (const std::string& sql : traced("create table if not exists ")) {
            const std::string rest = sql.substr(std::string("create table if not exists ").size());
            tables.push_back(rest.substr(0, rest.find('(')));
        }
        return tables;
    }

    std::vector<std::string> storedTables() {
        std::vector<std::string> tables;
        for (const Row& row : select("select name from sqlite_master where type='table' and name not like "
                                     "'sqlite%' order by rowid"))
            tables.push_back(row.at("name"));
        return tables;
    }

    // Makes the data folder holding a database file with the given bytes.
    void prepareFile(const std::string& bytes) {
        std::filesystem::create_directories(dataFolder());
        writeText(databasePath(), bytes);
    }
};

TEST_F(CoreLifecycleTest, FirstStartMakesAPrivateFolderAndFileWithEveryTableAtRevisionSix) {
    ASSERT_NO_FATAL_FAILURE(openCore());
    const std::vector<std::string> opening = trace();
    EXPECT_EQ(modeOf(dataFolder()), 0700u);
    EXPECT_EQ(modeOf(databasePath()), 0600u);
    EXPECT_EQ(createdTables(), tablesInOrder);
    EXPECT_EQ(storedTables(), tablesInOrder);
    EXPECT_EQ(scalar("select ID || ',' || REVISION || ',' || INFO from MIGRATION"), "1,6, ");
    EXPECT_EQ(count("PreferencesSettings"), 1);
    EXPECT_EQ(count("SecuritySettings"), 1);
    // The indexes come last, after the migration.
    ASSERT_FALSE(opening.empty());
    EXPECT_EQ(opening.back(), "create index if not exists ContactNumber_number on ContactNumber(number)");
    EXPECT_EQ(scalar("select count(*) from sqlite_master where type='index' and name like 'ContactNumber_%'"),
              "2");
    EXPECT_EQ(scalar("select count(*) from sqlite_master where type='index' and name = 'Contact_name'"), "1");
    EXPECT_NE(CPPDialerCore::getInstance().getDeviceCommunication(), nullptr);
}

TEST_F(CoreLifecycleTest, LaterStartsOnlyMigrateAndIndex) {
    ASSERT_NO_FATAL_FAILURE(openCore());
    ASSERT_TRUE(closeCore());
    clearTrace();
    ASSERT_NO_FATAL_FAILURE(openCore());
    EXPECT_TRUE(createdTables().empty());
    EXPECT_EQ(traced("select * from MIGRATION").size(), 1u);
    EXPECT_EQ(traced("create index if not exists ").size(), 3u);
    EXPECT_EQ(scalar("select count(*) from MIGRATION"), "1");
}

TEST_F(CoreLifecycleTest, OldFileWithoutMigrationIsNotGivenTablesThatWouldStampIt) {
    // A file older than the MIGRATION table must not get one made before migrate reads it.
    std::filesystem::create_directories(dataFolder());
    ASSERT_TRUE(CPPDatabase::getInstance().open(databasePath()));
    run("create table Contact(id integer primary key autoincrement, firstName text)");
    ASSERT_TRUE(CPPDatabase::getInstance().close());
    clearTrace();
    ASSERT_NO_FATAL_FAILURE(openCore());
    EXPECT_TRUE(createdTables().empty());
    // Files older than the indexes get them too.
    EXPECT_EQ(traced("create index if not exists ").size(), 3u);
}

TEST_F(CoreLifecycleTest, AnEmptyFileIsNew) {
    // SQLite would take it as an empty database and the core would find no tables in it.
    prepareFile("");
    ASSERT_NO_FATAL_FAILURE(openCore());
    EXPECT_EQ(createdTables(), tablesInOrder);
}

TEST_F(CoreLifecycleTest, AnUnreadableFileFailsTheOpenWithOneLine) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    prepareFile("x");
    ::chmod(databasePath().c_str(), 0200);
    CapturingLog log;
    ASSERT_NO_FATAL_FAILURE(openCore());
    ::chmod(databasePath().c_str(), 0600);
    EXPECT_TRUE(createdTables().empty());
    EXPECT_EQ(log.errLines().size(), 1u);
}

TEST_F(CoreLifecycleTest, FirstFailingTableEndsTheOpenAndSaysWhyOnce) {
    refuse(
        [](const std::string& sql) { return sql.rfind("create table if not exists ContactNumber", 0) == 0; });
    CapturingLog log;
    ASSERT_NO_FATAL_FAILURE(openCore());
    refuse(nullptr);
    EXPECT_EQ(createdTables(), (std::vector<std::string>{"Contact", "ContactNumber"}));
    EXPECT_EQ(storedTables(), (std::vector<std::string>{"Contact"}));
    EXPECT_TRUE(traced("select * from MIGRATION").empty());
    EXPECT_TRUE(traced("create index").empty());
    EXPECT_EQ(CPPDialerCore::getInstance().getDeviceCommunication(), nullptr);
    ASSERT_EQ(log.errLines().size(), 1u);
    EXPECT_EQ(log.errLines()[0].rfind("Cannot execute: create table if not exists ContactNumber", 0), 0u);
}

TEST_F(CoreLifecycleTest, PlainFileInPlaceOfTheFolderLeavesEveryDeviceOperationHarmless) {
    writeText(dataFolder(), "not a folder");
    PostCollector posts;
    CapturingLog log;
    ASSERT_NO_FATAL_FAILURE(openCore());
    EXPECT_EQ(readText(dataFolder()), "not a folder");
    EXPECT_EQ(CPPDialerCore::getInstance().getDeviceCommunication(), nullptr);
    ASSERT_EQ(log.errLines().size(), 1u);
    EXPECT_EQ(log.errLines()[0].rfind("Cannot open database at: " + databasePath(), 0), 0u);

    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    device.call("200");
    device.connect(ConnectionSettings("Desk"));
    EXPECT_EQ(device.sendCommand("EP UA 1 INQUIRE HOOK"), -1);
    EXPECT_EQ(device.currentConnectionSettings(), nullptr);
    // The line model alone answers.
    EXPECT_EQ(device.line()->lineParties().size(), 5u);
    EXPECT_TRUE(TessmarkDialerCore::postDidLaunch());
    EXPECT_TRUE(closeCore());
    DeviceCommandListener::getInstance().waitUntilDelivered();
    EXPECT_TRUE(posts.posts().empty());
    EXPECT_EQ(log.errLines().size(), 1u);
}

TEST_F(CoreLifecycleTest, EachOpenWiresTheDeviceObjectToTheNewCore) {
    ASSERT_NO_FATAL_FAILURE(openCore());
    ASSERT_TRUE(closeCore());
    EXPECT_EQ(TessmarkDialerCore::deviceCommunication().deviceCommunication(), nullptr);
    DeviceCommandListener::getInstance().waitUntilDelivered();
    PostCollector posts;
    ASSERT_NO_FATAL_FAILURE(openCore());
    DeviceCommunication* core = CPPDialerCore::getInstance().getDeviceCommunication();
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(TessmarkDialerCore::deviceCommunication().deviceCommunication(), core);
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setNotificationType(NotificationType::SYSTEM_MESSAGE);
    record->setPn("WIRED");
    core->dispatchNotification(std::move(record));
    ASSERT_TRUE(posts.waitForCount(1));
    EXPECT_EQ(posts.words(), (std::vector<std::string>{"WIRED"}));
}

TEST_F(CoreLifecycleTest, LaunchConnectsTheFirstAutoConnectProfileByRoomName) {
    ASSERT_NO_FATAL_FAILURE(openCore());
    PostCollector posts;
    ASSERT_TRUE(TessmarkDialerCore::postDidLaunch());
    EXPECT_EQ(TessmarkDialerCore::deviceCommunication().currentConnectionSettings(), nullptr);
    DeviceCommandListener::getInstance().waitUntilDelivered();
    EXPECT_TRUE(posts.posts().empty());

    // Two marked profiles, as an old file may hold them; nothing listens on their port.
    for (const char* room : {"beta", "Alpha"}) {
        ConnectionSettings settings(room);
        settings.setIp("127.0.0.1");
        settings.setPort(1);
        ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(settings));
    }
    run("update ConnectionSettings set isAutoConnect=1");
    ASSERT_TRUE(TessmarkDialerCore::postDidLaunch());
    const ConnectionSettingsPtr current =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->roomName(), "Alpha");
    EXPECT_EQ(current->customKeys().size(), 5u);
    ASSERT_TRUE(posts.waitForCount(1));
    EXPECT_EQ(posts.words()[0], "CONNECTING");
}

TEST_F(CoreLifecycleTest, CloseComesAfterTheDatabaseAndEndsWithTheCloseRecord) {
    ASSERT_NO_FATAL_FAILURE(openCore());
    PostCollector posts;
    refuse([](const std::string& sql) { return sql == "close"; });
    EXPECT_FALSE(TessmarkDialerCore::close());
    EXPECT_NE(CPPDialerCore::getInstance().getDeviceCommunication(), nullptr);
    EXPECT_NE(TessmarkDialerCore::deviceCommunication().deviceCommunication(), nullptr);
    refuse(nullptr);
    EXPECT_EQ(count("Contact"), 0);
    DeviceCommandListener::getInstance().waitUntilDelivered();
    EXPECT_TRUE(posts.posts().empty());

    ASSERT_TRUE(closeCore());
    EXPECT_EQ(CPPDialerCore::getInstance().getDeviceCommunication(), nullptr);
    EXPECT_EQ(TessmarkDialerCore::deviceCommunication().deviceCommunication(), nullptr);
    DeviceCommandListener::getInstance().waitUntilDelivered();
    std::vector<int64_t> types;
    for (const PostCollector::Post& post : posts.posts()) {
        types.push_back(post.info->notificationType());
        EXPECT_EQ(
            post.info->notificationCommandType() + post.info->eCommandType() + post.info->eEndPointType(), 3);
    }
    EXPECT_EQ(types, (std::vector<int64_t>{5, 3, 4, 0}));
    EXPECT_EQ(posts.words().back(), "CLOSE");
}

} // namespace
