#include "Logic/profiles/CPPConnectionSettingsManager.h"
#include "ProfileStoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ConnectionSettingsTable = ProfileStoreFixture;

CPPConnectionSettingsTable& table() {
    return CPPConnectionSettingsTable::getInstance();
}

std::vector<std::string> roomNames(const std::vector<CPPConnectionSettings>& profiles) {
    std::vector<std::string> names;
    for (const CPPConnectionSettings& settings : profiles)
        names.push_back(settings.getRoomName());
    return names;
}

// Stored files carry these definitions; a changed blank would make old and new files differ.
TEST_F(ConnectionSettingsTable, StoresTheCreateTextsByteForByte) {
    EXPECT_EQ(scalar("select sql from sqlite_master where name='ConnectionSettings'"),
              "CREATE TABLE ConnectionSettings(id integer primary key autoincrement, roomName text, ip text, "
              "port integer, phoneType integer, label text, userName text, password text, telcoVoIPEPN text, "
              "isEPN integer, isAutoConnect integer, notification text,queryVolumeCommand text, "
              "sliderPressedCommand text, sliderReleasedCommand text, minVolumeValueCommand text, "
              "maxVolumeValueCommand text, usesSpeakerGroup integer, speakerGroupName text, "
              "usesMicrophoneGroup integer, microphoneGroupName text, connectionType integer, "
              "serialPort integer, serialPath text)");
    EXPECT_EQ(scalar("select sql from sqlite_master where name='CustomKey'"),
              "CREATE TABLE CustomKey(id integer primary key autoincrement, label text, pressCommand text, "
              "releaseCommand text, enabled integer, connectionId integer, foreign key(connectionId) "
              "references ConnectionSettings(id))");
    EXPECT_EQ(scalar("select sql from sqlite_master where name='MuteCommand'"),
              "CREATE TABLE MuteCommand(id integer primary key autoincrement, pressCommand text, "
              "queryCommand text, activeNotificationFormat text, inactiveNotificationFormat text, "
              "connectionId integer, foreign key(connectionId) references ConnectionSettings(id))");
    EXPECT_EQ(scalar("select sql from sqlite_master where name='VolumeCommand'"),
              "CREATE TABLE VolumeCommand(id integer primary key autoincrement, type integer, "
              "pressCommand text, releaseCommand text, connectionId integer, foreign key(connectionId) "
              "references ConnectionSettings(id))");
    EXPECT_EQ(scalar("select count(*) from sqlite_master where name='sqlite_sequence'"), "1");

    // Creating again keeps whatever table is there.
    run("drop table ConnectionSettings; create table ConnectionSettings(x text)");
    EXPECT_TRUE(table().createTable());
    EXPECT_EQ(scalar("select sql from sqlite_master where name='ConnectionSettings'"),
              "CREATE TABLE ConnectionSettings(x text)");
}

// The defaults, written in the table's column order, read back as the same profile.
TEST_F(ConnectionSettingsTable, InsertsTheDefaultProfileAndWritesItsId) {
    CPPConnectionSettings settings;
    settings.setId(42);
    ASSERT_TRUE(table().insert(settings));
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "insert into ConnectionSettings(roomName, ip, port, phoneType, label, userName, password, "
            "telcoVoIPEPN, isEPN, isAutoConnect, notification, queryVolumeCommand, sliderPressedCommand, "
            "sliderReleasedCommand, minVolumeValueCommand, maxVolumeValueCommand, usesSpeakerGroup, "
            "speakerGroupName, usesMicrophoneGroup, microphoneGroupName, connectionType, serialPort, "
            "serialPath) values('', '', 0, 2, '', '', '', '', 1, 0, '', '', '', '', '', '', 1, '', 1, '', "
            "'1', '-1', '')"}));
    EXPECT_EQ(settings.getId(), 1);
    EXPECT_EQ(scalar("select typeof(connectionType) || typeof(serialPort) from ConnectionSettings"),
              "integerinteger");

    const std::vector<CPPConnectionSettings> stored = table().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].getId(), 1);
    EXPECT_EQ(stored[0].getPhoneType(), PhoneType::TELCO);
    EXPECT_EQ(stored[0].getConnectionType(), ConnectionType::TELNET);
    EXPECT_EQ(stored[0].getSerialPort(), -1);
    EXPECT_TRUE(stored[0].isEPN() && stored[0].usesSpeakerGroup() && stored[0].usesMicrophoneGroup());
    EXPECT_FALSE(stored[0].isAutoConnect());
}

TEST_F(ConnectionSettingsTable, UpdatesEveryColumnInItsOwnOrder) {
    CPPConnectionSettings settings;
    ASSERT_TRUE(table().insert(settings));
    settings.setRoomName("Room");
    settings.setIp("10.0.0.2");
    settings.setPort(23);
    settings.setPhoneType(PhoneType::VOIP);
    settings.setLabel("L");
    settings.setUserName("admin");
    settings.setPassword("secret");
    settings.setTelcoVoIPEPN("1");
    settings.setNotification("N *");
    settings.setQueryVolumeCommand("Q");
    settings.setSliderPressedCommand("SP");
    settings.setSliderReleasedCommand("SR");
    settings.setMinVolumeValueCommand("MIN");
    settings.setMaxVolumeValueCommand("MAX");
    settings.setSpeakerGroupName("SG");
    settings.setUsesMicrophoneGroup(false);
    settings.setMicrophoneGroupName("MG");
    settings.setConnectionType(0);
    settings.setSerialPath("/dev/ttyUSB0");
    clearTrace();
    ASSERT_TRUE(table().update(settings));
    EXPECT_EQ(trace(),
              (std::vector<std::string>{
                  "update ConnectionSettings set roomName='Room', ip='10.0.0.2', port=23, phoneType=1, "
                  "label='L', userName='admin', password='secret', telcoVoIPEPN='1', isEPN=1, "
                  "notification='N *', queryVolumeCommand='Q', sliderPressedCommand='SP', "
                  "sliderReleasedCommand='SR', minVolumeValueCommand='MIN', maxVolumeValueCommand='MAX', "
                  "isAutoConnect=0, usesSpeakerGroup=1, speakerGroupName='SG', usesMicrophoneGroup=0, "
                  "microphoneGroupName='MG', connectionType='0', serialPort='-1', "
                  "serialPath='/dev/ttyUSB0' where id=1"}));

    const std::vector<CPPConnectionSettings> stored = table().getAll();
    ASSERT_EQ(stored.size(), 1U);
    const CPPConnectionSettings& read = stored[0];
    EXPECT_EQ(read.getRoomName() + read.getIp() + read.getLabel() + read.getUserName() + read.getPassword() +
                  read.getTelcoVoIPEPN() + read.getNotification() + read.getQueryVolumeCommand() +
                  read.getSliderPressedCommand() + read.getSliderReleasedCommand() +
                  read.getMinVolumeValueCommand() + read.getMaxVolumeValueCommand() +
                  read.getSpeakerGroupName() + read.getMicrophoneGroupName() + read.getSerialPath(),
              "Room10.0.0.2Ladminsecret1N *QSPSRMINMAXSGMG/dev/ttyUSB0");
    EXPECT_EQ(read.getPort(), 23);
    EXPECT_EQ(read.getPhoneType(), PhoneType::VOIP);
    EXPECT_EQ(read.getConnectionType(), 0);
    EXPECT_EQ(read.getSerialPort(), -1);
    EXPECT_FALSE(read.usesMicrophoneGroup());

    clearTrace();
    ASSERT_TRUE(table().remove(settings));
    EXPECT_EQ(trace(), (std::vector<std::string>{"delete from ConnectionSettings where id=1"}));
    EXPECT_TRUE(table().getAll().empty());
}

// Saving a marked profile leaves it the only marked one; other saves touch no mark.
TEST_F(ConnectionSettingsTable, KeepsAtMostOneProfileMarkedAutoConnect) {
    CPPConnectionSettings first = profile("A", true);
    ASSERT_TRUE(table().insert(first));
    CPPConnectionSettings second = profile("B", true);
    clearTrace();
    ASSERT_TRUE(table().insert(second));
    EXPECT_EQ(trace().back(), "update ConnectionSettings set isAutoConnect=0 where id <> 2");
    EXPECT_EQ(markedRooms(), "B");

    CPPConnectionSettings plain = profile("C");
    clearTrace();
    ASSERT_TRUE(table().insert(plain));
    EXPECT_EQ(trace().size(), 1U);
    EXPECT_EQ(markedRooms(), "B");

    clearTrace();
    ASSERT_TRUE(table().update(first));
    EXPECT_EQ(trace().back(), "update ConnectionSettings set isAutoConnect=0 where id <> 1");
    EXPECT_EQ(markedRooms(), "A");
    EXPECT_TRUE(table().hasAutoConnect());

    ASSERT_TRUE(table().remove(first));
    EXPECT_EQ(markedRooms(), "");
    EXPECT_FALSE(table().hasAutoConnect());
}

// A failed clearing is reported although the row is stored: the manager then stores no parts.
TEST_F(ConnectionSettingsTable, ReportsAFailedAutoConnectClearing) {
    run("insert into ConnectionSettings(roomName, isAutoConnect) values('old', 1)");
    run("create trigger refuse before update on ConnectionSettings begin select raise(abort, 'no'); end");
    CPPConnectionSettings settings = profile("A", true);
    std::vector<CPPCustomKey> keys(1);
    CPPMuteCommand mute;
    CPPVolumeCommand up;
    CPPVolumeCommand down;
    EXPECT_FALSE(
        CPPConnectionSettingsManager::getInstance().addConnectionSettings(settings, keys, mute, up, down));
    EXPECT_EQ(settings.getId(), 2);
    EXPECT_EQ(markedRooms(), "old,A");
    EXPECT_EQ(scalar("select count(*) from CustomKey"), "0");
}

// The bridge writes by id: an unknown id changes nothing, yet a marked one clears every mark.
TEST_F(ConnectionSettingsTable, UnmatchedIdsSucceedWithoutChangingRows) {
    CPPConnectionSettings stored = profile("A", true);
    ASSERT_TRUE(table().insert(stored));
    CPPConnectionSettings neverStored = profile("ghost");
    EXPECT_TRUE(table().update(neverStored));
    EXPECT_TRUE(table().remove(neverStored));
    EXPECT_EQ(markedRooms(), "A");

    neverStored.setIsAutoConnect(true);
    EXPECT_TRUE(table().update(neverStored));
    EXPECT_EQ(markedRooms(), "");
    EXPECT_EQ(roomNames(table().getAll()), (std::vector<std::string>{"A"}));
}

TEST_F(ConnectionSettingsTable, OrdersByRoomNameIgnoringAsciiCase) {
    for (const std::string name : {"beta", "Alpha", "GAMMA"}) {
        CPPConnectionSettings settings = profile(name);
        ASSERT_TRUE(table().insert(settings));
    }
    clearTrace();
    EXPECT_EQ(roomNames(table().getAllOrderedByRoomName(true)),
              (std::vector<std::string>{"Alpha", "beta", "GAMMA"}));
    EXPECT_EQ(roomNames(table().getAllOrderedByRoomName(false)),
              (std::vector<std::string>{"GAMMA", "beta", "Alpha"}));
    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "select * from ConnectionSettings order by roomName collate nocase asc",
                           "select * from ConnectionSettings order by roomName collate nocase desc"}));
}

// A removed profile's id must never come back: its parts may still name it.
TEST_F(ConnectionSettingsTable, NeverReusesTheIdOfARemovedProfile) {
    std::vector<CPPConnectionSettings> profiles(3);
    for (CPPConnectionSettings& settings : profiles)
        ASSERT_TRUE(table().insert(settings));
    ASSERT_TRUE(table().remove(profiles[2]));
    CPPConnectionSettings next;
    ASSERT_TRUE(table().insert(next));
    EXPECT_EQ(next.getId(), 4);
}

// Texts are data, never statement text: quotes round-trip through insert and update.
TEST_F(ConnectionSettingsTable, StoresQuotesLiterallyAndRefusesNul) {
    CPPConnectionSettings settings = profile("x'); drop table ConnectionSettings; --");
    settings.setPassword("it's");
    ASSERT_TRUE(table().insert(settings));
    EXPECT_EQ(settings.getId(), 1);
    settings.setLabel("O'Brien");
    ASSERT_TRUE(table().update(settings));
    std::vector<CPPConnectionSettings> stored = table().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].getRoomName(), "x'); drop table ConnectionSettings; --");
    EXPECT_EQ(stored[0].getPassword(), "it's");
    EXPECT_EQ(stored[0].getLabel(), "O'Brien");

    CPPConnectionSettings withNul = profile(std::string("a\0b", 3), true);
    withNul.setId(17);
    clearTrace();
    EXPECT_FALSE(table().insert(withNul));
    EXPECT_EQ(withNul.getId(), 17);
    withNul = stored[0];
    withNul.setSerialPath(std::string("\0", 1));
    EXPECT_FALSE(table().update(withNul));
    EXPECT_TRUE(trace().empty());
    EXPECT_EQ(scalar("select count(*) from ConnectionSettings"), "1");
}

// Old files hold NULLs, odd flags and tables of earlier revisions; every field comes from
// the row, so no record default survives a read.
TEST_F(ConnectionSettingsTable, ReadsEveryFieldFromTheRow) {
    run("insert into ConnectionSettings(id) values(5)");
    std::vector<CPPConnectionSettings> stored = table().getAll();
    ASSERT_EQ(stored.size(), 1U);
    const CPPConnectionSettings& nulls = stored[0];
    EXPECT_EQ(nulls.getId(), 5);
    EXPECT_EQ(nulls.getPort() | nulls.getPhoneType() | nulls.getConnectionType() | nulls.getSerialPort(), 0);
    EXPECT_FALSE(nulls.isEPN() || nulls.isAutoConnect() || nulls.usesSpeakerGroup() ||
                 nulls.usesMicrophoneGroup());
    EXPECT_TRUE(nulls.getRoomName().empty() && nulls.getSerialPath().empty());

    const std::vector<std::pair<std::string, bool>> flags = {{"1", true},  {"2", true},      {"-1", true},
                                                             {"0", false}, {"'abc'", false}, {"''", false}};
    for (const auto& [value, expected] : flags) {
        run("delete from ConnectionSettings");
        run("insert into ConnectionSettings(isEPN, isAutoConnect) values(" + value + ", " + value + ")");
        const std::vector<CPPConnectionSettings> read = table().getAll();
        ASSERT_EQ(read.size(), 1U);
        EXPECT_EQ(read[0].isEPN(), expected) << value;
        EXPECT_EQ(read[0].isAutoConnect(), expected) << value;
        // The auto-connect query itself matches a stored 1 only.
        EXPECT_EQ(table().hasAutoConnect(), value == "1") << value;
    }

    // A table of revision 3: the connection columns are missing and read as 0 or empty.
    run("drop table ConnectionSettings");
    run("create table ConnectionSettings(id integer primary key autoincrement, roomName text, port integer)");
    run("insert into ConnectionSettings(roomName, port) values('old', 23)");
    stored = table().getAll();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].getRoomName(), "old");
    EXPECT_EQ(stored[0].getPort(), 23);
    EXPECT_EQ(stored[0].getConnectionType(), 0);
    EXPECT_TRUE(stored[0].getSerialPath().empty());
    // The update names every column, so it needs the table of the current revision; its
    // failure runs no auto-connect clearing.
    CPPConnectionSettings old = stored[0];
    old.setIsAutoConnect(true);
    clearTrace();
    EXPECT_FALSE(table().update(old));
    EXPECT_EQ(trace().size(), 1U);
}

TEST_F(ConnectionSettingsTable, FailsCleanlyWithoutADatabase) {
    ASSERT_TRUE(database().close());
    CPPConnectionSettings settings = profile("A", true);
    settings.setId(3);
    EXPECT_FALSE(table().createTable());
    EXPECT_FALSE(table().insert(settings));
    EXPECT_EQ(settings.getId(), 3);
    EXPECT_FALSE(table().update(settings));
    EXPECT_FALSE(table().remove(settings));
    EXPECT_TRUE(table().getAll().empty());
    EXPECT_TRUE(table().getAllOrderedByRoomName(true).empty());
    EXPECT_FALSE(table().hasAutoConnect());
    ASSERT_TRUE(database().open(databasePath()));
}

} // namespace
