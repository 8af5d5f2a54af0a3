#include "Logic/bridge/ConnectionCSV.h"
#include "CsvFiles.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string header =
    "Tessmark Dialer Connection,Version,2\n"
    "Room Name,Connection Type,IP/FQDN|Serial Port,Phone Type,EPN or Label,Username,Password,Auto Connect,"
    "isEPN,EPNumber,Mute Query,Slider Query,Slider Max,Slider Min,Command,Label,Press Command,Release "
    "Command,"
    "Notification 1,Notification 2\n";

const std::string boardRoomRows =
    "Board Room,Telnet,192.168.1.50,VoIP,1,admin,secret,1,0,,MQ,VQ,VMAX,VMIN,Mute,NA,"
    "MP,NA,MA,MI\n"
    ",,,,,,,,,,,,,,VOLUME UP,NA,UP1,UP0,VN,NA\n"
    ",,,,,,,,,,,,,,VOLUME DOWN,NA,DN1,DN0,VN,NA\n"
    ",,,,,,,,,,,,,,CUSTOM 1,Lights,K1P,K1R,NA,NA\n"
    ",,,,,,,,,,,,,,CUSTOM 2,,,,NA,NA\n"
    ",,,,,,,,,,,,,,CUSTOM 3,,,,NA,NA\n"
    ",,,,,,,,,,,,,,CUSTOM 4,,,,NA,NA\n"
    ",,,,,,,,,,,,,,CUSTOM 5,,,,NA,NA\n";

std::string keyRows(int first = 1) {
    std::string rows;
    for (int n = first; n < first + 5; ++n)
        rows += ",,,,,,,,,,,,,,CUSTOM " + std::to_string(n) + ",,,,NA,NA\n";
    return rows;
}

ConnectionSettingsPtr boardRoom() {
    auto settings = std::make_shared<ConnectionSettings>(
        "Board Room", 1, "192.168.1.50", 2323, 7, "/dev/ttyS0", 1, "", "admin", "secret", "1", true, true);
    settings->muteCommand()->setQueryCommand("MQ");
    settings->muteCommand()->setPressCommand("MP");
    settings->muteCommand()->setActiveNotificationFormat("MA");
    settings->muteCommand()->setInactiveNotificationFormat("MI");
    settings->setQueryVolumeCommand("VQ");
    settings->setMaxVolumeValueCommand("VMAX");
    settings->setMinVolumeValueCommand("VMIN");
    settings->setSliderPressedCommand("SP");
    settings->volumeUpCommand()->setPressCommand("UP1");
    settings->volumeUpCommand()->setReleaseCommand("UP0");
    settings->volumeDownCommand()->setPressCommand("DN1");
    settings->volumeDownCommand()->setReleaseCommand("DN0");
    settings->setNotificationFormat("VN");
    CustomKey& lights = *settings->customKeys()[0];
    lights.setLabel("Lights");
    lights.setPressCommand("K1P");
    lights.setReleaseCommand("K1R");
    lights.setEnabled(true);
    return settings;
}

// A profile whose every text the file carries is drawn at random; the texts it does not carry
// (the label beside an endpoint number, the address of a serial profile) stay empty.
ConnectionSettingsPtr randomProfile(RandomText& random) {
    auto settings = std::make_shared<ConnectionSettings>(random.next());
    settings->setConnectionType(1 + random.below(2));
    if (settings->connectionType() == 1)
        settings->setIp(random.next());
    else
        settings->setSerialPort(random.below(4) == 0 ? std::numeric_limits<uint64_t>::max()
                                                     : random.below(64));
    settings->setPhoneType(1 + random.below(2));
    settings->setIsEPN(random.below(2) == 0);
    (settings->isEPN() ? settings->setTelcoVoIPEPN(random.next()) : settings->setLabel(random.next()));
    settings->setIsAutoConnect(random.below(2) == 0);
    settings->setUserName(random.next());
    settings->setPassword(random.next());
    MuteCommand& mute = *settings->muteCommand();
    mute.setQueryCommand(random.next());
    mute.setPressCommand(random.next());
    mute.setActiveNotificationFormat(random.next());
    mute.setInactiveNotificationFormat(random.next());
    settings->setQueryVolumeCommand(random.next());
    settings->setMaxVolumeValueCommand(random.next());
    settings->setMinVolumeValueCommand(random.next());
    settings->setNotificationFormat(random.next());
    for (const VolumeCommandPtr& volume : {settings->volumeUpCommand(), settings->volumeDownCommand()}) {
        volume->setPressCommand(random.next());
        volume->setReleaseCommand(random.next());
    }
    for (const CustomKeyPtr& key : settings->customKeys()) {
        key->setLabel(random.next());
        key->setPressCommand(random.next());
        key->setReleaseCommand(random.next());
    }
    return settings;
}

// What the file carries of a profile as one comparable text; "|" is in no random text.
std::string textsOf(const ConnectionSettings& settings) {
    const MuteCommand& mute = *settings.muteCommand();
    const VolumeCommand& up = *settings.volumeUpCommand();
    const VolumeCommand& down = *settings.volumeDownCommand();
    std::string texts =
        settings.roomName() + "|" + settings.ip() + "|" + settings.telcoVoIPEPN() + "|" + settings.label() +
        "|" + settings.userName() + "|" + settings.password() + "|" + mute.queryCommand() + "|" +
        mute.pressCommand() + "|" + mute.activeNotificationFormat() + "|" +
        mute.inactiveNotificationFormat() + "|" + settings.queryVolumeCommand() + "|" +
        settings.maxVolumeValueCommand() + "|" + settings.minVolumeValueCommand() + "|" +
        settings.notificationFormat() + "|" + up.pressCommand() + "|" + up.releaseCommand() + "|" +
        down.pressCommand() + "|" + down.releaseCommand() + "|" + std::to_string(settings.connectionType()) +
        " " + std::to_string(settings.serialPort()) + " " + std::to_string(settings.phoneType()) +
        (settings.isEPN() ? " EPN" : " label") + (settings.isAutoConnect() ? " auto" : " manual");
    for (const CustomKeyPtr& key : settings.customKeys())
        texts += "|" + key->label() + "|" + key->pressCommand() + "|" + key->releaseCommand();
    return texts;
}

class ConnectionCsvTest : public ::testing::Test {
protected:
    std::string path(const std::string& name = "profiles.csv") const { return m_folder.file(name); }

    std::vector<ConnectionSettingsPtr> parse(const std::string& text,
                                             std::vector<std::string>* problems = nullptr) {
        writeText(path("in.csv"), text);
        return ConnectionCSV::parseFile(path("in.csv"), problems);
    }

    TempDir m_folder;
};

TEST_F(ConnectionCsvTest, ExportWritesTheLayoutStoredFilesHave) {
    ASSERT_TRUE(ConnectionCSV::exportToFile(path(), {boardRoom()}));
    EXPECT_EQ(readText(path()), header + boardRoomRows);
    // The file holds passwords.
    EXPECT_EQ(modeOf(path()), 0600u);

    ASSERT_TRUE(ConnectionCSV::exportToFile(path(), {}));
    EXPECT_EQ(readText(path()), header);
    EXPECT_TRUE(ConnectionCSV::parseFile(path()).empty());
}

TEST_F(ConnectionCsvTest, ImportReadsWhatTheFileCarriesAndDefaultsTheRest) {
    for (const std::string& text : {header + boardRoomRows, withCrLf(header + boardRoomRows),
                                    "\xEF\xBB\xBF" + header + boardRoomRows}) {
        std::vector<std::string> problems;
        const auto parsed = parse(text, &problems);
        EXPECT_TRUE(problems.empty());
        ASSERT_EQ(parsed.size(), 1u);
        const ConnectionSettings& settings = *parsed[0];
        EXPECT_EQ(settings.roomName(), "Board Room");
        EXPECT_EQ(settings.connectionType(), 1);
        EXPECT_EQ(settings.ip(), "192.168.1.50");
        EXPECT_EQ(settings.phoneType(), 1);
        EXPECT_TRUE(settings.isEPN());
        EXPECT_EQ(settings.telcoVoIPEPN(), "1");
        EXPECT_EQ(settings.label(), "");
        EXPECT_EQ(settings.userName() + "/" + settings.password(), "admin/secret");
        EXPECT_TRUE(settings.isAutoConnect());
        const MuteCommand& mute = *settings.muteCommand();
        EXPECT_EQ(mute.queryCommand() + mute.pressCommand() + mute.activeNotificationFormat() +
                      mute.inactiveNotificationFormat(),
                  "MQMPMAMI");
        EXPECT_EQ(settings.queryVolumeCommand(), "VQ");
        EXPECT_EQ(settings.maxVolumeValueCommand(), "VMAX");
        EXPECT_EQ(settings.minVolumeValueCommand(), "VMIN");
        EXPECT_EQ(settings.volumeUpCommand()->pressCommand() + settings.volumeUpCommand()->releaseCommand(),
                  "UP1UP0");
        EXPECT_EQ(settings.volumeDownCommand()->pressCommand() +
                      settings.volumeDownCommand()->releaseCommand(),
                  "DN1DN0");
        EXPECT_EQ(settings.notificationFormat(), "VN");
        const CustomKey& lights = *settings.customKeys()[0];
        EXPECT_EQ(lights.label() + lights.pressCommand() + lights.releaseCommand(), "LightsK1PK1R");
        // Not carried by the file: the defaults of a new profile.
        EXPECT_FALSE(lights.enabled());
        EXPECT_EQ(settings.port(), 23u);
        EXPECT_EQ(settings.serialPath(), "");
        EXPECT_EQ(settings.sliderPressedCommand(), "");
        EXPECT_EQ(settings.ID() + settings.muteCommand()->ID() + lights.ID(), 0);
    }
}

TEST_F(ConnectionCsvTest, SerialAndLabelProfilesReadTheirOwnFields) {
    const auto parsed =
        parse(header + "lab,Serial,3,Telco,TEL1,,,0,1,TEL1,,,,,Mute,NA,,NA,,\n" +
              ",,,,,,,,,,,,,,VOLUME DOWN,NA,D,d,,NA\n,,,,,,,,,,,,,,Volume Up,NA,U,u,VN2,NA\n" + keyRows());
    ASSERT_EQ(parsed.size(), 1u);
    const ConnectionSettings& settings = *parsed[0];
    EXPECT_EQ(settings.connectionType(), 2);
    EXPECT_EQ(settings.serialPort(), 3u);
    EXPECT_EQ(settings.ip(), "");
    EXPECT_EQ(settings.phoneType(), 2);
    EXPECT_FALSE(settings.isEPN());
    EXPECT_EQ(settings.label(), "TEL1");
    EXPECT_EQ(settings.telcoVoIPEPN(), "");
    // Either order of the volume rows; the first non-empty format counts.
    EXPECT_EQ(settings.volumeUpCommand()->pressCommand(), "U");
    EXPECT_EQ(settings.volumeDownCommand()->pressCommand(), "D");
    EXPECT_EQ(settings.notificationFormat(), "VN2");

    // A serial port of "none" goes out as -1 and comes back as the same large number.
    auto serial = std::make_shared<ConnectionSettings>();
    serial->setConnectionType(2);
    serial->setSerialPort(std::numeric_limits<uint64_t>::max());
    serial->setIp("ignored");
    ASSERT_TRUE(ConnectionCSV::exportToFile(path(), {serial}));
    EXPECT_NE(readText(path()).find(",Serial,-1,VoIP,"), std::string::npos);
    EXPECT_EQ(ConnectionCSV::parseFile(path()).at(0)->serialPort(), std::numeric_limits<uint64_t>::max());
}

TEST_F(ConnectionCsvTest, TextsWithCommasQuotesAndLineBreaksComeBackWhole) {
    auto settings = boardRoom();
    settings->setRoomName("Room 1, East");
    settings->setPassword("say \"hi\"");
    settings->setUserName("\"VIP\"");
    settings->customKeys()[2]->setLabel("line\nbreak");
    settings->customKeys()[2]->setPressCommand("a\"b,c");
    settings->setNotificationFormat("VOL,\r\n*");
    // A line break in the last field leaves a whole row on its first line; still one field.
    settings->muteCommand()->setInactiveNotificationFormat("OFF\n*");
    // Line breaks after first lines that hold as many commas as a row has fields.
    settings->customKeys()[0]->setPressCommand("SET A,B,C,D\nGO");
    settings->customKeys()[1]->setReleaseCommand("A,B\rC");
    auto second = std::make_shared<ConnectionSettings>("Second");
    ASSERT_TRUE(ConnectionCSV::exportToFile(path(), {settings, second}));
    EXPECT_NE(readText(path()).find("\"Room 1, East\",Telnet"), std::string::npos);

    std::vector<std::string> problems;
    const auto parsed = ConnectionCSV::parseFile(path(), &problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]->roomName(), "Room 1, East");
    EXPECT_EQ(parsed[0]->password(), "say \"hi\"");
    EXPECT_EQ(parsed[0]->userName(), "\"VIP\"");
    EXPECT_EQ(parsed[0]->customKeys()[2]->label(), "line\nbreak");
    EXPECT_EQ(parsed[0]->customKeys()[2]->pressCommand(), "a\"b,c");
    EXPECT_EQ(parsed[0]->notificationFormat(), "VOL,\r\n*");
    EXPECT_EQ(parsed[0]->muteCommand()->inactiveNotificationFormat(), "OFF\n*");
    EXPECT_EQ(parsed[0]->customKeys()[0]->pressCommand(), "SET A,B,C,D\nGO");
    EXPECT_EQ(parsed[0]->customKeys()[1]->releaseCommand(), "A,B\rC");
    EXPECT_EQ(parsed[1]->roomName(), "Second");
}

// "CUSTOM 11" names key eleven, which no profile has: read by its last digit it would
// overwrite key 1.
TEST_F(ConnectionCsvTest, KeysGoByTheirNumberAndMissingOnesAreWrittenEmpty) {
    const std::string rows = "K,Telnet,h,VoIP,1,,,0,0,,,,,,Mute,NA,,NA,,\n"
                             ",,,,,,,,,,,,,,VOLUME UP,NA,,,,NA\n,,,,,,,,,,,,,,VOLUME DOWN,NA,,,,NA\n"
                             ",,,,,,,,,,,,,,CUSTOM 3,three,,,NA,NA\n"
                             ",,,,,,,,,,,,,,CUSTOM 6,six,,,NA,NA\n"
                             ",,,,,,,,,,,,,,CUSTOM 1,one,,,NA,NA\n"
                             ",,,,,,,,,,,,,,CUSTOM 11,eleven,,,NA,NA\n"
                             ",,,,,,,,,,,,,,CUSTOM 3,three again,,,NA,NA\n";
    const auto parsed = parse(header + rows);
    ASSERT_EQ(parsed.size(), 1u);
    std::vector<std::string> labels;
    for (const CustomKeyPtr& key : parsed[0]->customKeys())
        labels.push_back(key->label());
    EXPECT_EQ(labels, (std::vector<std::string>{"one", "", "three again", "", ""}));

    // Two keys and no commands at all still make a whole block.
    auto sparse = std::make_shared<ConnectionSettings>("Sparse");
    sparse->customKeys().resize(2);
    sparse->customKeys()[1] = nullptr;
    sparse->setMuteCommand(nullptr);
    sparse->setVolumeUpCommand(nullptr);
    ASSERT_TRUE(ConnectionCSV::exportToFile(path(), {sparse}));
    EXPECT_EQ(readText(path()), header + "Sparse,Telnet,,VoIP,,,,0,0,,,,,,Mute,NA,,NA,,\n" +
                                    ",,,,,,,,,,,,,,VOLUME UP,NA,,,,NA\n,,,,,,,,,,,,,,VOLUME DOWN,NA,,,,NA\n" +
                                    keyRows());
}

TEST_F(ConnectionCsvTest, KeptRulesOfTheOldReader) {
    // Field 9 holds the inverse of isEPN and field 10 is never read; "telnet" is not "Telnet";
    // every auto-connect mark is kept (the last one saved wins), "-1" as much as "1".
    const auto parsed =
        parse(header + "A,telnet,h,VoIP,LBL,,,1,1,IGNORED,,,,,Mute,NA,,NA,,\n" +
              ",,,,,,,,,,,,,,VOLUME UP,NA,,,,NA\n,,,,,,,,,,,,,,VOLUME DOWN,NA,,,,NA\n" + keyRows() +
              "B,Telnet,h,VoIP,7,,,-1,x,,,,,,Mute,NA,,NA,,\n" +
              ",,,,,,,,,,,,,,VOLUME UP,NA,,,,NA\n,,,,,,,,,,,,,,VOLUME DOWN,NA,,,,NA\n" + keyRows());
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]->connectionType(), 2);
    EXPECT_FALSE(parsed[0]->isEPN());
    EXPECT_EQ(parsed[0]->label(), "LBL");
    EXPECT_TRUE(parsed[0]->isAutoConnect());
    EXPECT_TRUE(parsed[1]->isEPN());
    EXPECT_EQ(parsed[1]->telcoVoIPEPN(), "7");
    EXPECT_TRUE(parsed[1]->isAutoConnect());
}

TEST_F(ConnectionCsvTest, DamagedFilesAreReadAsFarAsTheyGoAndEveryProblemIsNamed) {
    std::vector<std::string> problems;
    // A short main row, a long volume row, and a last block cut short after its main row.
    auto parsed = parse(header + "Short,Telnet,h,VoIP,1,u,p,0,0,,MQ,VQ\n" +
                            ",,,,,,,,,,,,,,VOLUME UP,NA,U,u,VN,NA,x,y,z,w,v\n" +
                            // Lines count as the file has them, a quoted line break included.
                            ",,,,,,,,,,,,,,VOLUME DOWN,NA,D,d,\"VN,\nmore\",NA\n" + keyRows() +
                            "Cut,Telnet,h2,VoIP,2,,,0,0,,,,,,Mute,NA,,NA,,",
                        &problems);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]->queryVolumeCommand(), "VQ");
    EXPECT_EQ(parsed[0]->muteCommand()->pressCommand(), "");
    EXPECT_EQ(parsed[0]->volumeUpCommand()->pressCommand(), "U");
    EXPECT_EQ(parsed[1]->ip(), "h2");
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "line 3: 12 fields, expected 20", "line 4: 25 fields, expected 20",
                  "line 12: 0 rows after the main row, expected 7; the missing ones keep their defaults"}));

    // Blank lines count for nothing, however many there are.
    problems.clear();
    parsed = parse(header + "\n" + std::string(7, '\n') + boardRoomRows, &problems);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0]->roomName(), "Board Room");

    // Not UTF-8 anywhere: nothing is read at all.
    problems.clear();
    EXPECT_TRUE(parse(header + boardRoomRows + "\xFF\n", &problems).empty());
    EXPECT_EQ(problems, (std::vector<std::string>{"not UTF-8 text at byte " +
                                                  std::to_string(header.size() + boardRoomRows.size() + 1)}));

    problems.clear();
    EXPECT_TRUE(ConnectionCSV::parseFile(path("missing.csv"), &problems).empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind("cannot read the file", 0), 0u);
    EXPECT_TRUE(ConnectionCSV::parseFile(path("missing.csv")).empty());
}

// The rows of boardRoomRows picked by their index: 0 main, 1 and 2 volume, 3 to 7 keys.
std::string boardRoomRowsAt(std::initializer_list<size_t> indexes) {
    std::vector<std::string> rows;
    for (size_t at = 0; at < boardRoomRows.size();) {
        const size_t end = boardRoomRows.find('\n', at) + 1;
        rows.push_back(boardRoomRows.substr(at, end - at));
        at = end;
    }
    std::string picked;
    for (const size_t index : indexes)
        picked += rows[index];
    return picked;
}

// Blocks at fixed places lost the profile after a blank line or a missing row and read a
// nameless serial profile in its place; any file at all was read as profiles. Without a word.
TEST_F(ConnectionCsvTest, BlocksAreFoundByTheirRowsAndOddFilesAreNamed) {
    const std::string second = "Second,Telnet,h2,VoIP,2,,,0,0,,,,,,Mute,NA,,NA,,\n"
                               ",,,,,,,,,,,,,,VOLUME UP,NA,U2,,,NA\n,,,,,,,,,,,,,,VOLUME DOWN,NA,D2,,,NA\n" +
                               keyRows();
    const std::string noVolumeDown =
        "Cut,Telnet,h3,VoIP,3,,,0,0,,,,,,Mute,NA,,NA,,\n"
        ",,,,,,,,,,,,,,VOLUME UP,NA,U3,,,NA\n,,,,,,,,,,,,,,CUSTOM 1,one,K1,,NA,NA\n";
    const std::string titles = header.substr(header.find('\n') + 1);
    // Room, then the presses of key 1, volume up and volume down.
    const std::string boardRoomRead = "Board Room|K1P|UP1|DN1";
    const std::string secondRead = "Second||U2|D2";
    struct Case {
        std::string text;
        std::vector<std::string> profiles;
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {header + boardRoomRows + "\n" + second, {boardRoomRead, secondRead}, {}},
        {header + "\n\n" + boardRoomRows + "\n,,,,,,,,,,,,,,,,,,,\n\n" + second,
         {boardRoomRead, secondRead},
         {"line 5: 8 rows after the main row, expected 7; the last 1 are ignored"}},
        // An eighth row is named and left alone, even one naming a key.
        {header + boardRoomRows + ",,,,,,,,,,,,,,CUSTOM 1,Extra,XP,,NA,NA\n" + second,
         {boardRoomRead, secondRead},
         {"line 3: 8 rows after the main row, expected 7; the last 1 are ignored"}},
        {header + boardRoomRowsAt({0, 1, 2, 3, 4, 5, 6}) + second,
         {boardRoomRead, secondRead},
         {"line 3: 6 rows after the main row, expected 7; the missing ones keep their defaults"}},
        // The volume rows are the block's rows that name no key, wherever they stand.
        {header + boardRoomRowsAt({0, 3, 4, 5, 6, 7, 2, 1}), {boardRoomRead}, {}},
        // A missing volume row keeps its defaults rather than taking a custom key's commands.
        {header + noVolumeDown + second,
         {"Cut|K1|U3|", secondRead},
         {"line 3: 2 rows after the main row, expected 7; the missing ones keep their defaults"}},
        {header + ",,,,,,,,,,,,,,VOLUME UP,NA,X,,,NA\n" + second,
         {secondRead},
         {"line 3: a row before any profile's main row"}},
        // Either header line is enough, so a file whose version line was edited still imports.
        {"My rooms\n" + titles + second, {secondRead}, {}},
        {header, {}, {"no profiles in the file"}},
        {"", {}, {"the file is empty"}},
        {"Tessmark Dialer Phone Book,Version,1.0\nFirst,Middle Initial\n" + second,
         {},
         {"not a connection profile file: its first two lines are neither the version line nor the title "
          "line"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        std::vector<std::string> profiles;
        for (const ConnectionSettingsPtr& settings : parse(c.text, &problems))
            profiles.push_back(settings->roomName() + "|" + settings->customKeys()[0]->pressCommand() + "|" +
                               settings->volumeUpCommand()->pressCommand() + "|" +
                               settings->volumeDownCommand()->pressCommand());
        EXPECT_EQ(profiles, c.profiles) << c.text;
        EXPECT_EQ(problems, c.problems) << c.text;
    }
}

// A stray quote in an old unquoted file ran on to the next line that closed it ("Screen 27"),
// taking every profile between with it. Where that makes a whole row nothing tells it from a
// quoted line break, which our own files must keep; anywhere else it stays on its line.
TEST_F(ConnectionCsvTest, StrayQuoteRunsOnOnlyWhereItClosesIntoARow) {
    const std::string rest = boardRoomRows.substr(std::string("Board Room").size());
    struct Case {
        std::string closing;
        std::vector<std::string> rooms;
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {"Screen 27\"" + rest, {boardRoomRows + "Screen 27 K1P"}, {}},
        // A quote before anything but a comma or a line end closes nothing.
        {"Screen 27\"x" + rest, {"\"Board Room K1P", "Screen 27\"x K1P"}, {"line 3: an unclosed quote"}},
        // Closed into more fields than a row has, it is no row either.
        {"Screen 27\",Extra" + rest,
         {"\"Board Room K1P", "Screen 27\" K1P"},
         {"line 3: an unclosed quote", "line 11: 21 fields, expected 20"}},
        {"Screen 27\",Telnet\n",
         {"\"Board Room K1P", "Screen 27\" "},
         {"line 3: an unclosed quote",
          "line 11: 0 rows after the main row, expected 7; the missing ones keep their defaults",
          "line 11: 2 fields, expected 20"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        std::vector<std::string> rooms;
        for (const ConnectionSettingsPtr& settings :
             parse(header + "\"" + boardRoomRows + c.closing, &problems))
            rooms.push_back(settings->roomName() + " " + settings->customKeys()[0]->pressCommand());
        EXPECT_EQ(rooms, c.rooms) << c.closing;
        EXPECT_EQ(problems, c.problems) << c.closing;
    }
}

// Every text a profile carries, drawn from what breaks naive CSV, comes back from the file.
TEST_F(ConnectionCsvTest, RandomProfilesComeBackFromTheirFile) {
    for (uint32_t draw = 1; draw <= 16; ++draw) {
        RandomText random(draw);
        std::vector<ConnectionSettingsPtr> made;
        for (int i = 0; i < 15; ++i)
            made.push_back(randomProfile(random));
        ASSERT_TRUE(ConnectionCSV::exportToFile(path(), made));
        std::vector<std::string> problems;
        const auto parsed = ConnectionCSV::parseFile(path(), &problems);
        EXPECT_TRUE(problems.empty()) << "draw " << draw;
        ASSERT_EQ(parsed.size(), made.size()) << "draw " << draw;
        for (size_t i = 0; i < made.size(); ++i)
            EXPECT_EQ(textsOf(*parsed[i]), textsOf(*made[i])) << "draw " << draw << ", profile " << i;
    }
}

TEST_F(ConnectionCsvTest, FailedExportLeavesWhatWasThere) {
    // A folder where the file should go: the rename fails, and nothing is left behind.
    std::filesystem::create_directory(path("taken"));
    writeText(path("taken") + "/inside", "kept");
    EXPECT_FALSE(ConnectionCSV::exportToFile(path("taken"), {boardRoom()}));
    EXPECT_EQ(readText(path("taken") + "/inside"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}), 1);

    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const std::string folder = path("readonly");
    std::filesystem::create_directory(folder);
    writeText(folder + "/profiles.csv", "old");
    ::chmod(folder.c_str(), 0500);
    EXPECT_FALSE(ConnectionCSV::exportToFile(folder + "/profiles.csv", {boardRoom()}));
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(readText(folder + "/profiles.csv"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(ConnectionCsvTest, ExportCutShortLeavesTheOldFile) {
    // A file-size limit fails the write part way, for root too (permissions do not stop root).
    const std::string target = path("profiles.csv");
    writeText(target, "old");
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &previous), 0);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool exported = ConnectionCSV::exportToFile(target, {boardRoom(), boardRoom()});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(exported);
    EXPECT_EQ(readText(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}), 1);
}

} // namespace
