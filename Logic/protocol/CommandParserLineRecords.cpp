#include "Logic/protocol/CommandParser.h"

#include "Logic/call/CPPLine.h"
#include "Logic/common/Conversions.h"

// The makers that store the value they report in the line model first.

std::unique_ptr<CPPNotificationInfo> CommandParser::makeDndNotification(const std::string& word,
                                                                        const std::string& payload) {
    int32_t mode = -1;
    if (word == "DND_NOT_SET")
        mode = 0;
    else if (word == "DND_CALL_MUTE")
        mode = 1;
    else if (word == "DND_CALL_REJECT")
        mode = 2;
    if (mode >= 0) {
        // Compare and store in one step, so two threads reporting the same mode make one record.
        if (!CPPLine::getInstance().updateDoNotDisturbState(mode))
            return nullptr;
    } else if (!isAvailabilityWord(word)) {
        return nullptr;
    }
    return makeOwnRecord(10, word, payload);
}

std::unique_ptr<CPPNotificationInfo> CommandParser::makeMuteNotification(bool muted,
                                                                         const std::string& status) {
    CPPLine::getInstance().setMuteActivated(muted);
    const std::string pn = isAvailabilityWord(status) ? status : (muted ? "ACTIVATE" : "INACTIVATE");
    return makeOwnRecord(8, pn, status);
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
    return makeOwnRecord(9, isAvailabilityWord(kind) ? kind : floatToString(number), payload);
}
