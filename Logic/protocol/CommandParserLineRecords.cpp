#include "Logic/protocol/CommandParser.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"

#include <optional>

// The makers that store the value they report in the line model first.

std::unique_ptr<CPPNotificationInfo> CommandParser::makeDndNotification(const std::string& word,
                                                                        const std::string& payload) {
    std::optional<int32_t> mode;
    if (word == "DND_NOT_SET")
        mode = DndMode::NOT_SET;
    else if (word == "DND_CALL_MUTE")
        mode = DndMode::CALL_MUTE;
    else if (word == "DND_CALL_REJECT")
        mode = DndMode::CALL_REJECT;
    if (mode) {
        // Compare and store in one step, so two threads reporting the same mode make one record.
        if (!CPPLine::getInstance().updateDoNotDisturbState(*mode))
            return nullptr;
    } else if (!isAvailabilityWord(word)) {
        return nullptr;
    }
    return makeOwnRecord(NotificationType::DO_NOT_DISTURB, word, payload);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeMuteNotification(bool muted,
                                                                         const std::string& status) {
    CPPLine::getInstance().setMuteActivated(muted);
    const std::string pn = isAvailabilityWord(status) ? status : (muted ? "ACTIVATE" : "INACTIVATE");
    return makeOwnRecord(NotificationType::MUTE, pn, status);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeVolumeNotification(const std::string& kind,
                                                                           const std::string& value,
                                                                           const std::string& payload) {
    float number = stringToFloat(value);
    CPPLine& line = CPPLine::getInstance();
    if (kind == "MIN_VALUE")
        line.setMinVolumeValue(number);
    else if (kind == "MAX_VALUE")
        line.setMaxVolumeValue(number);
    else if (kind == "SLIDER_POSITION")
        number = line.updateVolumeSliderFromLevel(number);
    return makeOwnRecord(NotificationType::VOLUME, isAvailabilityWord(kind) ? kind : floatToString(number),
                         payload);
}
