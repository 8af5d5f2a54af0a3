#include "Logic/bridge/Line.h"

#include "Logic/bridge/LineConversions.h"
#include "Logic/call/CPPLine.h"

Line::Line(bool isMuteActivated, float minVolumeValue, float maxVolumeValue, float volumeSliderValue,
           int64_t doNotDisturbState)
    : m_isMuteActivated(isMuteActivated), m_minVolumeValue(minVolumeValue), m_maxVolumeValue(maxVolumeValue),
      m_volumeSliderValue(volumeSliderValue), m_doNotDisturbState(doNotDisturbState) {}

const std::shared_ptr<Line>& Line::sharedInstance() {
    static const auto* const instance = new std::shared_ptr<Line>(std::make_shared<Line>());
    return *instance;
}

int64_t Line::sipProxyStatus() const {
    return sipProxyStatusFromCpp(CPPLine::getInstance().getSipProxyStatus());
}

int64_t Line::callForwardingType() const {
    return callForwardingTypeFromCpp(CPPLine::getInstance().getCallForwardingType());
}

std::string Line::callForwardingErrorMessage() const {
    return CPPLine::getInstance().getCallForwardingErrorMessage();
}

std::string Line::callForwardingNumber() const {
    return CPPLine::getInstance().getCallForwardingNumber();
}

std::vector<LinePartyPtr> Line::lineParties() const {
    // One locked copy of the parties; contacts are converted from it after the lock is gone.
    return linePartiesFromCpp(CPPLine::getInstance().getLineParties(), m_withContacts);
}

int64_t Line::lineState() const {
    return lineStateFromCpp(CPPLine::getInstance().getLineState());
}

bool Line::showsConference() const {
    return CPPLine::getInstance().showsConference();
}
