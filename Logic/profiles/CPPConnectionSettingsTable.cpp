#include "Logic/profiles/CPPConnectionSettingsTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

namespace {

bool anyTextContainsNul(const CPPConnectionSettings& settings) {
    return anyContainsNul({settings.getRoomName(), settings.getIp(), settings.getLabel(),
                           settings.getUserName(), settings.getPassword(), settings.getTelcoVoIPEPN(),
                           settings.getNotification(), settings.getQueryVolumeCommand(),
                           settings.getSliderPressedCommand(), settings.getSliderReleasedCommand(),
                           settings.getMinVolumeValueCommand(), settings.getMaxVolumeValueCommand(),
                           settings.getSpeakerGroupName(), settings.getMicrophoneGroupName(),
                           settings.getSerialPath()});
}

bool columnFlag(const Row& row, const std::string& column) {
    return columnInt(row, column) != 0;
}

CPPConnectionSettings recordFromRow(const Row& row) {
    CPPConnectionSettings settings;
    settings.setId(columnInt(row, "id"));
    settings.setRoomName(columnText(row, "roomName"));
    settings.setIp(columnText(row, "ip"));
    settings.setPort(columnInt(row, "port"));
    settings.setPhoneType(columnInt(row, "phoneType"));
    settings.setLabel(columnText(row, "label"));
    settings.setUserName(columnText(row, "userName"));
    settings.setPassword(columnText(row, "password"));
    settings.setTelcoVoIPEPN(columnText(row, "telcoVoIPEPN"));
    settings.setIsEPN(columnFlag(row, "isEPN"));
    settings.setIsAutoConnect(columnFlag(row, "isAutoConnect"));
    settings.setNotification(columnText(row, "notification"));
    settings.setQueryVolumeCommand(columnText(row, "queryVolumeCommand"));
    settings.setSliderPressedCommand(columnText(row, "sliderPressedCommand"));
    settings.setSliderReleasedCommand(columnText(row, "sliderReleasedCommand"));
    settings.setMinVolumeValueCommand(columnText(row, "minVolumeValueCommand"));
    settings.setMaxVolumeValueCommand(columnText(row, "maxVolumeValueCommand"));
    settings.setUsesSpeakerGroup(columnFlag(row, "usesSpeakerGroup"));
    settings.setSpeakerGroupName(columnText(row, "speakerGroupName"));
    settings.setUsesMicrophoneGroup(columnFlag(row, "usesMicrophoneGroup"));
    settings.setMicrophoneGroupName(columnText(row, "microphoneGroupName"));
    settings.setConnectionType(columnInt(row, "connectionType"));
    settings.setSerialPort(columnInt(row, "serialPort"));
    settings.setSerialPath(columnText(row, "serialPath"));
    return settings;
}

} // namespace

CPPConnectionSettingsTable& CPPConnectionSettingsTable::getInstance() {
    static CPPConnectionSettingsTable* const instance = new CPPConnectionSettingsTable;
    return *instance;
}

bool CPPConnectionSettingsTable::createTable() {
    // Stored files hold this text byte for byte, the missing blank after notification's comma
    // included.
    return CPPDatabase::getInstance().execute(
        "create table if not exists ConnectionSettings(id integer primary key autoincrement, roomName text, "
        "ip text, port integer, phoneType integer, label text, userName text, password text, "
        "telcoVoIPEPN text, isEPN integer, isAutoConnect integer, notification text,queryVolumeCommand text, "
        "sliderPressedCommand text, sliderReleasedCommand text, minVolumeValueCommand text, "
        "maxVolumeValueCommand text, usesSpeakerGroup integer, speakerGroupName text, "
        "usesMicrophoneGroup integer, microphoneGroupName text, connectionType integer, serialPort integer, "
        "serialPath text)",
        nullptr);
}

std::vector<CPPConnectionSettings> CPPConnectionSettingsTable::getAll() {
    return rowsToRecords("select * from ConnectionSettings");
}

std::vector<CPPConnectionSettings> CPPConnectionSettingsTable::getAllOrderedByRoomName(bool ascending) {
    return rowsToRecords(std::string("select * from ConnectionSettings order by roomName collate nocase") +
                         (ascending ? " asc" : " desc"));
}

bool CPPConnectionSettingsTable::hasAutoConnect() {
    return !rowsToRecords("select * from ConnectionSettings where isAutoConnect=1").empty();
}

bool CPPConnectionSettingsTable::insert(CPPConnectionSettings& settings) {
    if (anyTextContainsNul(settings))
        return false;
    // Table order: the connection columns come last here, unlike in the record.
    const std::string sql =
        "insert into ConnectionSettings(roomName, ip, port, phoneType, label, userName, password, "
        "telcoVoIPEPN, isEPN, isAutoConnect, notification, queryVolumeCommand, sliderPressedCommand, "
        "sliderReleasedCommand, minVolumeValueCommand, maxVolumeValueCommand, usesSpeakerGroup, "
        "speakerGroupName, usesMicrophoneGroup, microphoneGroupName, connectionType, serialPort, serialPath) "
        "values(" +
        sqlQuote(settings.getRoomName()) + ", " + sqlQuote(settings.getIp()) + ", " +
        toString(settings.getPort()) + ", " + toString(settings.getPhoneType()) + ", " +
        sqlQuote(settings.getLabel()) + ", " + sqlQuote(settings.getUserName()) + ", " +
        sqlQuote(settings.getPassword()) + ", " + sqlQuote(settings.getTelcoVoIPEPN()) + ", " +
        toString(settings.isEPN()) + ", " + toString(settings.isAutoConnect()) + ", " +
        sqlQuote(settings.getNotification()) + ", " + sqlQuote(settings.getQueryVolumeCommand()) + ", " +
        sqlQuote(settings.getSliderPressedCommand()) + ", " + sqlQuote(settings.getSliderReleasedCommand()) +
        ", " + sqlQuote(settings.getMinVolumeValueCommand()) + ", " +
        sqlQuote(settings.getMaxVolumeValueCommand()) + ", " + toString(settings.usesSpeakerGroup()) + ", " +
        sqlQuote(settings.getSpeakerGroupName()) + ", " + toString(settings.usesMicrophoneGroup()) + ", " +
        sqlQuote(settings.getMicrophoneGroupName()) + ", " +
        sqlQuote(toString(settings.getConnectionType())) + ", " +
        sqlQuote(toString(settings.getSerialPort())) + ", " + sqlQuote(settings.getSerialPath()) + ")";
    int32_t newId = 0;
    if (!CPPDatabase::getInstance().executeInsert(sql, newId))
        return false;
    settings.setId(newId);
    return !settings.isAutoConnect() || clearOtherAutoConnects(newId);
}

bool CPPConnectionSettingsTable::update(const CPPConnectionSettings& settings) {
    if (anyTextContainsNul(settings))
        return false;
    // isAutoConnect follows maxVolumeValueCommand here, unlike in the table.
    const std::string sql =
        "update ConnectionSettings set roomName=" + sqlQuote(settings.getRoomName()) +
        ", ip=" + sqlQuote(settings.getIp()) + ", port=" + toString(settings.getPort()) +
        ", phoneType=" + toString(settings.getPhoneType()) + ", label=" + sqlQuote(settings.getLabel()) +
        ", userName=" + sqlQuote(settings.getUserName()) + ", password=" + sqlQuote(settings.getPassword()) +
        ", telcoVoIPEPN=" + sqlQuote(settings.getTelcoVoIPEPN()) + ", isEPN=" + toString(settings.isEPN()) +
        ", notification=" + sqlQuote(settings.getNotification()) +
        ", queryVolumeCommand=" + sqlQuote(settings.getQueryVolumeCommand()) +
        ", sliderPressedCommand=" + sqlQuote(settings.getSliderPressedCommand()) +
        ", sliderReleasedCommand=" + sqlQuote(settings.getSliderReleasedCommand()) +
        ", minVolumeValueCommand=" + sqlQuote(settings.getMinVolumeValueCommand()) +
        ", maxVolumeValueCommand=" + sqlQuote(settings.getMaxVolumeValueCommand()) +
        ", isAutoConnect=" + toString(settings.isAutoConnect()) +
        ", usesSpeakerGroup=" + toString(settings.usesSpeakerGroup()) +
        ", speakerGroupName=" + sqlQuote(settings.getSpeakerGroupName()) +
        ", usesMicrophoneGroup=" + toString(settings.usesMicrophoneGroup()) +
        ", microphoneGroupName=" + sqlQuote(settings.getMicrophoneGroupName()) +
        ", connectionType=" + sqlQuote(toString(settings.getConnectionType())) +
        ", serialPort=" + sqlQuote(toString(settings.getSerialPort())) +
        ", serialPath=" + sqlQuote(settings.getSerialPath()) + " where id=" + toString(settings.getId());
    if (!CPPDatabase::getInstance().execute(sql, nullptr))
        return false;
    return !settings.isAutoConnect() || clearOtherAutoConnects(settings.getId());
}

bool CPPConnectionSettingsTable::remove(const CPPConnectionSettings& settings) {
    return CPPDatabase::getInstance().execute(
        "delete from ConnectionSettings where id=" + toString(settings.getId()), nullptr);
}

std::vector<CPPConnectionSettings> CPPConnectionSettingsTable::rowsToRecords(const std::string& sql) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(sql, &rows))
        return {};
    std::vector<CPPConnectionSettings> records;
    records.reserve(rows.size());
    for (const Row& row : rows)
        records.push_back(recordFromRow(row));
    return records;
}

bool CPPConnectionSettingsTable::clearOtherAutoConnects(int32_t keptId) {
    return CPPDatabase::getInstance().execute(
        "update ConnectionSettings set isAutoConnect=0 where id <> " + toString(keptId), nullptr);
}
