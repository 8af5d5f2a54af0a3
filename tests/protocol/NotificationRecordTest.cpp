#include "Logic/call/CPPLine.h"
#include "Logic/protocol/CommandParser.h"
#include "support/CapturingNotificationListener.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

CapturedRecord captured(const std::unique_ptr<CPPNotificationInfo>& record) {
    return record ? CapturedRecord::from(*record) : CapturedRecord{};
}

// The records made without a received line, field by field.
TEST(NotificationRecord, LineFreeMakersFillEveryField) {
    CommandParser parser;
    const CPPLine before(CPPLine::getInstance());
    const std::vector<std::pair<std::unique_ptr<CPPNotificationInfo>, CapturedRecord>> cases = [&] {
        std::vector<std::pair<std::unique_ptr<CPPNotificationInfo>, CapturedRecord>> rows;
        rows.emplace_back(parser.makeConnectionNotification("CONNECTING", "Connecting"),
                          CapturedRecord{NotificationType::CONNECTION, CommandType::CORE, EndPointType::UA,
                                         "CONNECTION", "", "CONNECTING", "Connecting", ""});
        rows.emplace_back(parser.makeErrorNotification(true, "Cannot send command: X\r\n"),
                          CapturedRecord{NotificationType::SYSTEM_MESSAGE, CommandType::CORE,
                                         EndPointType::UA, "NOTIFICATION", "", "ERROR",
                                         "Cannot send command: X\r\n", ""});
        rows.emplace_back(parser.makeErrorNotification(false, "note"),
                          CapturedRecord{NotificationType::SYSTEM_MESSAGE, CommandType::CORE,
                                         EndPointType::UA, "NOTIFICATION", "", "MESSAGE", "note", ""});
        rows.emplace_back(parser.makeCfwInactiveNotification(),
                          CapturedRecord{NotificationType::CALL_FORWARDING, CommandType::RECEIVED,
                                         EndPointType::UA, "INQUIRE_RESULT", "1", "CFW_STATUS", "INACTIVE",
                                         ""});
        rows.emplace_back(parser.makeSettingsNotification("", false),
                          CapturedRecord{NotificationType::LINE_NAME, CommandType::RECEIVED, EndPointType::UA,
                                         "SETTINGS", "1", "DISABLE", "", ""});
        rows.emplace_back(parser.makeSettingsNotification("300", true),
                          CapturedRecord{NotificationType::LINE_NAME, CommandType::RECEIVED, EndPointType::UA,
                                         "SETTINGS", "1", "ENABLE", "300", ""});
        rows.emplace_back(parser.makeActivePartiesResetNotification(),
                          CapturedRecord{NotificationType::PARTY_STATE, CommandType::RECEIVED,
                                         EndPointType::UA, "INQUIRE_RESULT", "1", "ACTIVE_PARTIES", "", ""});
        rows.emplace_back(parser.makeCallForwardNotification("UA 1", "MESSAGE", "PAYLOAD", "ORIGIN"),
                          CapturedRecord{NotificationType::CALL_FORWARDING, CommandType::RECEIVED,
                                         EndPointType::UA, "NOTIFICATION", "UA 1", "MESSAGE", "PAYLOAD",
                                         "ORIGIN"});
        // Availability words are reported as themselves and leave the modes and levels alone;
        // enabling or disabling mute still stores the flag it is given.
        rows.emplace_back(parser.makeMuteNotification(true, "DISABLE"),
                          CapturedRecord{NotificationType::MUTE, CommandType::CORE, EndPointType::UA,
                                         "NOTIFICATION", "", "DISABLE", "DISABLE", ""});
        rows.emplace_back(parser.makeMuteNotification(false, "ENABLE"),
                          CapturedRecord{NotificationType::MUTE, CommandType::CORE, EndPointType::UA,
                                         "NOTIFICATION", "", "ENABLE", "ENABLE", ""});
        rows.emplace_back(parser.makeVolumeNotification("DISABLE", "", ""),
                          CapturedRecord{NotificationType::VOLUME, CommandType::CORE, EndPointType::UA,
                                         "NOTIFICATION", "", "DISABLE", "", ""});
        rows.emplace_back(parser.makeVolumeNotification("OTHER_VALUE", "-12.5", "P"),
                          CapturedRecord{NotificationType::VOLUME, CommandType::CORE, EndPointType::UA,
                                         "NOTIFICATION", "", "-12.5", "P", ""});
        rows.emplace_back(parser.makeDndNotification("ENABLE", ""),
                          CapturedRecord{NotificationType::DO_NOT_DISTURB, CommandType::CORE,
                                         EndPointType::UA, "NOTIFICATION", "", "ENABLE", "", ""});
        rows.emplace_back(parser.makeDndNotification("DND_UNKNOWN", "X"), CapturedRecord{});
        return rows;
    }();
    for (const auto& [record, expected] : cases)
        EXPECT_EQ(captured(record), expected);
    const CPPLine& line = CPPLine::getInstance();
    EXPECT_FALSE(line.isMuteActivated());
    EXPECT_EQ(line.getDoNotDisturbState(), before.getDoNotDisturbState());
    EXPECT_EQ(line.getMinVolumeValue(), before.getMinVolumeValue());
    EXPECT_EQ(line.getMaxVolumeValue(), before.getMaxVolumeValue());
    EXPECT_EQ(line.getVolumeSliderValue(), before.getVolumeSliderValue());
}

} // namespace
