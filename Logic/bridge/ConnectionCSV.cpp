#include "Logic/bridge/ConnectionCSV.h"

#include "Logic/bridge/CsvText.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t fieldCount = 20;
// After a profile's main row: volume up, volume down and the five custom keys.
constexpr size_t rowsAfterMain = 7;
// Records before the first profile: the version line and the title line.
constexpr size_t headerRows = 2;
// Fields 1 to 14 hold the profile; only its main row fills any of them.
constexpr size_t profileFields = 14;

const char* const versionLine = "Tessmark Dialer Connection,Version,2\n";
const char* const titleLine =
    "Room Name,Connection Type,IP/FQDN|Serial Port,Phone Type,EPN or Label,Username,Password,Auto Connect,"
    "isEPN,EPNumber,Mute Query,Slider Query,Slider Max,Slider Min,Command,Label,Press Command,Release "
    "Command,Notification 1,Notification 2\n";
const CsvHeader header{"connection profile", "Tessmark Dialer Connection", "Room Name", "Connection Type"};
// Rows after the main row leave the profile's 14 fields empty.
const char* const emptyProfileFields = ",,,,,,,,,,,,,,";

void appendMainRow(std::string& out, const ConnectionSettings& settings, const MuteCommand& mute) {
    const bool telnet = settings.connectionType() == ConnectionType::TELNET;
    CsvText::appendFields(out,
                          {settings.roomName(), telnet ? "Telnet" : "Serial",
                           telnet ? settings.ip() : toString(lowBits(settings.serialPort())),
                           settings.phoneType() == PhoneType::VOIP ? "VoIP" : "Telco",
                           settings.isEPN() ? settings.telcoVoIPEPN() : settings.label(), settings.userName(),
                           settings.password(), settings.isAutoConnect() ? "1" : "0",
                           // The file has always held the inverse of the flag here, and the label next.
                           settings.isEPN() ? "0" : "1", settings.label(), mute.queryCommand(),
                           settings.queryVolumeCommand(), settings.maxVolumeValueCommand(),
                           settings.minVolumeValueCommand(), "Mute", "NA", mute.pressCommand(), "NA",
                           mute.activeNotificationFormat(), mute.inactiveNotificationFormat()});
    out += '\n';
}

void appendCommandRow(std::string& out, std::string_view name, std::string_view label, std::string_view press,
                      std::string_view release, std::string_view notification) {
    out += emptyProfileFields;
    CsvText::appendFields(out, {name, label, press, release, notification, "NA"});
    out += '\n';
}

void appendProfile(std::string& out, const ConnectionSettings& settings) {
    // A missing part is written as a new one would be.
    static const MuteCommand noMute;
    static const VolumeCommand noVolume;
    static const CustomKey noKey;
    const MuteCommand& mute = settings.muteCommand() != nullptr ? *settings.muteCommand() : noMute;
    const VolumeCommand& up = settings.volumeUpCommand() != nullptr ? *settings.volumeUpCommand() : noVolume;
    const VolumeCommand& down =
        settings.volumeDownCommand() != nullptr ? *settings.volumeDownCommand() : noVolume;

    appendMainRow(out, settings, mute);
    appendCommandRow(out, "VOLUME UP", "NA", up.pressCommand(), up.releaseCommand(),
                     settings.notificationFormat());
    appendCommandRow(out, "VOLUME DOWN", "NA", down.pressCommand(), down.releaseCommand(),
                     settings.notificationFormat());
    for (size_t n = 1; n <= ConnectionSettings::defaultCustomKeyCount; ++n) {
        const auto& keys = settings.customKeys();
        const CustomKey& key = n <= keys.size() && keys[n - 1] != nullptr ? *keys[n - 1] : noKey;
        out += emptyProfileFields;
        CsvText::appendFields(out, {"CUSTOM " + std::to_string(n), key.label(), key.pressCommand(),
                                    key.releaseCommand(), "NA", "NA"});
        out += '\n';
    }
}

// The key number a row names in its field 15 ("CUSTOM 3"): the number its text ends with.
int64_t keyNumber(const std::string& command) {
    size_t digits = command.size();
    while (digits > 0 && command[digits - 1] >= '0' && command[digits - 1] <= '9')
        --digits;
    return CsvText::parseInt(std::string_view(command).substr(digits));
}

void readMainRow(const CsvRecord& row, ConnectionSettings& settings) {
    settings.setRoomName(row.field(1));
    settings.setIsAutoConnect(ConnectionCSV::parseBool(row.field(8)));
    settings.setConnectionType(ConnectionCSV::parseConnectionType(row.field(2)));
    if (settings.connectionType() == ConnectionType::TELNET)
        settings.setIp(row.field(3));
    else
        settings.setSerialPort(static_cast<uint64_t>(ConnectionCSV::parseInt(row.field(3))));
    settings.setPhoneType(ConnectionCSV::parsePhoneType(row.field(4)));
    settings.setIsEPN(ConnectionCSV::parseInt(row.field(9)) == 0);
    if (settings.isEPN())
        settings.setTelcoVoIPEPN(row.field(5));
    else
        settings.setLabel(row.field(5));
    settings.setUserName(row.field(6));
    settings.setPassword(row.field(7));
    MuteCommand& mute = *settings.muteCommand();
    mute.setQueryCommand(row.field(11));
    mute.setPressCommand(row.field(17));
    mute.setActiveNotificationFormat(row.field(19));
    mute.setInactiveNotificationFormat(row.field(20));
    settings.setQueryVolumeCommand(row.field(12));
    settings.setMinVolumeValueCommand(row.field(14));
    settings.setMaxVolumeValueCommand(row.field(13));
}

void readVolumeRows(const CsvRecord& first, const CsvRecord& second, ConnectionSettings& settings) {
    // Either order: the first row is volume up exactly when it says "UP" in any case.
    std::string command = first.field(15);
    toUpperInPlace(command);
    const bool firstIsUp = command.find("UP") != std::string::npos;
    const CsvRecord& up = firstIsUp ? first : second;
    const CsvRecord& down = firstIsUp ? second : first;
    settings.volumeUpCommand()->setPressCommand(up.field(17));
    settings.volumeUpCommand()->setReleaseCommand(up.field(18));
    settings.volumeDownCommand()->setPressCommand(down.field(17));
    settings.volumeDownCommand()->setReleaseCommand(down.field(18));
    if (!first.field(19).empty())
        settings.setNotificationFormat(first.field(19));
    else if (!second.field(19).empty())
        settings.setNotificationFormat(second.field(19));
}

void readKeyRow(const CsvRecord& row, ConnectionSettings& settings) {
    const int64_t number = keyNumber(row.field(15));
    if (number < 1 || number > static_cast<int64_t>(settings.customKeys().size()))
        return;
    CustomKey& key = *settings.customKeys()[static_cast<size_t>(number - 1)];
    key.setLabel(row.field(16));
    key.setPressCommand(row.field(17));
    key.setReleaseCommand(row.field(18));
}

bool isMainRow(const CsvRecord& row) {
    for (size_t field = 1; field <= profileFields; ++field) {
        if (!row.field(field).empty())
            return true;
    }
    return false;
}

bool isKeyRow(const CsvRecord& row) {
    std::string command = row.field(15);
    toUpperInPlace(command);
    return command.starts_with("CUSTOM");
}

bool isRow(const CsvRecord& record) {
    return record.fields.size() == fieldCount;
}

ConnectionSettingsPtr readProfile(const CsvRecord& main, const std::vector<const CsvRecord*>& further,
                                  std::vector<std::string>* problems) {
    const std::string where = "line " + std::to_string(main.line) + ": ";
    const std::string counted = std::to_string(further.size()) + " rows after the main row, expected " +
                                std::to_string(rowsAfterMain);
    if (further.size() < rowsAfterMain)
        CsvText::addProblem(problems, where + counted + "; the missing ones keep their defaults");
    else if (further.size() > rowsAfterMain)
        CsvText::addProblem(problems, where + counted + "; the last " +
                                          std::to_string(further.size() - rowsAfterMain) + " are ignored");
    const size_t used = std::min(further.size(), rowsAfterMain);
    CsvText::check(main, fieldCount, problems);
    for (size_t index = 0; index < used; ++index)
        CsvText::check(*further[index], fieldCount, problems);

    auto settings = std::make_shared<ConnectionSettings>();
    readMainRow(main, *settings);
    // The first two rows that are not custom keys are the volume rows, so a missing volume row
    // never hands a key's commands to the volume buttons.
    static const CsvRecord missing;
    std::array<const CsvRecord*, 2> volume = {&missing, &missing};
    size_t volumeRows = 0;
    std::vector<const CsvRecord*> keys;
    for (size_t index = 0; index < used; ++index) {
        if (volumeRows < volume.size() && !isKeyRow(*further[index]))
            volume[volumeRows++] = further[index];
        else
            keys.push_back(further[index]);
    }
    readVolumeRows(*volume[0], *volume[1], *settings);
    for (const CsvRecord* key : keys)
        readKeyRow(*key, *settings);
    return settings;
}

} // namespace

bool ConnectionCSV::exportToFile(const std::string& path,
                                 const std::vector<ConnectionSettingsPtr>& connections) {
    std::string text = versionLine;
    text += titleLine;
    static const ConnectionSettings noSettings;
    for (const ConnectionSettingsPtr& settings : connections)
        appendProfile(text, settings != nullptr ? *settings : noSettings);
    return CsvText::writeFile(path, text);
}

std::vector<ConnectionSettingsPtr> ConnectionCSV::parseFile(const std::string& path,
                                                            std::vector<std::string>* problems) {
    std::vector<CsvRecord> records;
    if (!CsvText::readFile(path, records, problems, isRow))
        return {};
    // A phone book or any other file offered as profiles is not read at all.
    if (!CsvText::checkHeader(records, header, problems))
        return {};
    // Blocks are found by their rows: a main row starts one, and the rows up to the next main
    // row belong to it. Blank lines count for nothing.
    std::vector<ConnectionSettingsPtr> connections;
    size_t index = headerRows;
    while (index < records.size()) {
        const CsvRecord& row = records[index++];
        if (row.isBlank())
            continue;
        if (!isMainRow(row)) {
            CsvText::addProblem(problems,
                                "line " + std::to_string(row.line) + ": a row before any profile's main row");
            continue;
        }
        std::vector<const CsvRecord*> further;
        for (; index < records.size() && !isMainRow(records[index]); ++index) {
            if (!records[index].isBlank())
                further.push_back(&records[index]);
        }
        connections.push_back(readProfile(row, further, problems));
    }
    if (connections.empty())
        CsvText::addProblem(problems, "no profiles in the file");
    return connections;
}

int64_t ConnectionCSV::parseInt(const std::string& text) {
    return CsvText::parseInt(text);
}

bool ConnectionCSV::parseBool(const std::string& text) {
    return CsvText::parseBool(text);
}

int64_t ConnectionCSV::parseConnectionType(const std::string& text) {
    return text == "Telnet" ? ConnectionType::TELNET : ConnectionType::SERIAL;
}

int64_t ConnectionCSV::parsePhoneType(const std::string& text) {
    return text == "VoIP" ? PhoneType::VOIP : PhoneType::TELCO;
}
