#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPConnectionSettingsManager.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A stored slider command of this form is rewritten with the slider's value.
const std::string SLIDER_COMMAND_PATTERN = "EP (.*) LEVEL GAIN( .*)?";

// Truncates toward zero; a value an int32 cannot hold (or NaN from a garbled range) is
// clamped rather than left to undefined conversion.
int32_t truncateToInt32(float value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<float>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= static_cast<float>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

} // namespace

void DeviceCommunication::sendIfAny(const std::string& text, const CPPConnectionSettings& settings) {
    if (!text.empty())
        sendLine(text, settings, {});
}

void DeviceCommunication::queryDoNotDisturbMode() {
    if (const auto settings = getCurrentConnectionSettings())
        queryDoNotDisturbMode(*settings);
}

void DeviceCommunication::queryDoNotDisturbMode(const CPPConnectionSettings& settings) {
    sendIfAny(CommandParser::inquireDndStatus(&settings), settings);
}

void DeviceCommunication::changeDoNotDisturbMode(bool on) {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    m_line->changeDoNotDisturb(on, settings.get());
    queryDoNotDisturbMode(*settings);
}

void DeviceCommunication::volumeQueryMinMaxValue(bool max) {
    if (const auto settings = getCurrentConnectionSettings())
        volumeQueryMinMaxValue(max, *settings);
}

void DeviceCommunication::volumeQueryMinMaxValue(bool max, const CPPConnectionSettings& settings) {
    if (settings.usesSpeakerGroup())
        sendIfAny(CommandParser::speakerLevelMinMaxGain(&settings, max), settings);
    else
        sendIfAny(max ? settings.getMaxVolumeValueCommand() : settings.getMinVolumeValueCommand(), settings);
}

void DeviceCommunication::volumeQuery() {
    if (const auto settings = getCurrentConnectionSettings())
        volumeQuery(*settings);
}

void DeviceCommunication::volumeQuery(const CPPConnectionSettings& settings) {
    sendIfAny(settings.usesSpeakerGroup() ? CommandParser::speakerLevelGain(&settings)
                                          : settings.getQueryVolumeCommand(),
              settings);
}

void DeviceCommunication::muteQuery() {
    if (const auto settings = getCurrentConnectionSettings())
        muteQuery(*settings);
}

void DeviceCommunication::muteQuery(const CPPConnectionSettings& settings) {
    if (settings.usesMicrophoneGroup())
        sendIfAny(CommandParser::microphoneLevelMute(&settings), settings);
    else
        sendIfAny(
            CPPConnectionSettingsManager::getInstance().getMuteCommand(settings.getId()).getQueryCommand(),
            settings);
}

void DeviceCommunication::mutePress() {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    if (settings->usesMicrophoneGroup())
        sendIfAny(CommandParser::microphoneLevelMuteToggle(settings.get()), *settings);
    else
        sendIfAny(
            CPPConnectionSettingsManager::getInstance().getMuteCommand(settings->getId()).getPressCommand(),
            *settings);
}

void DeviceCommunication::volumePress(bool up) {
    volumeButton(up, true);
}

void DeviceCommunication::volumeRelease(bool up) {
    volumeButton(up, false);
}

void DeviceCommunication::volumeButton(bool up, bool pressed) {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    if (settings->usesSpeakerGroup()) {
        // The box ramps toward the bound in steps of a fifth of the range; a step of 0 stops it.
        sendIfAny(CommandParser::speakerRamp(settings.get(), floatToString(volumeRampTarget(up)),
                                             pressed ? toString(volumeRampStep()) : "0"),
                  *settings);
        return;
    }
    CPPConnectionSettingsManager& store = CPPConnectionSettingsManager::getInstance();
    const CPPVolumeCommand command =
        up ? store.getVolumeUpCommand(settings->getId()) : store.getVolumeDownCommand(settings->getId());
    sendIfAny(pressed ? command.getPressCommand() : command.getReleaseCommand(), *settings);
}

void DeviceCommunication::sliderAction(bool pressed, float gain) {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    const std::string value = floatToString(sliderGainToVolume(gain));
    if (settings->usesSpeakerGroup()) {
        sendIfAny(CommandParser::speakerLevelGainValue(settings.get(), value), *settings);
        return;
    }
    const std::string stored =
        pressed ? settings->getSliderPressedCommand() : settings->getSliderReleasedCommand();
    std::string upper = stored;
    toUpperInPlace(upper);
    // The group's name is cut from the stored text, so it keeps its letter case.
    std::vector<std::string> groups;
    if (matchRegexWithSource(SLIDER_COMMAND_PATTERN, upper, stored, 3, &groups) && groups.size() >= 2)
        sendIfAny("EP " + groups[1] + " LEVEL GAIN " + value, *settings);
    else
        sendIfAny(stored, *settings);
}

void DeviceCommunication::customButton(const std::string& command, bool) {
    if (const auto settings = getCurrentConnectionSettings())
        sendIfAny(command, *settings);
}

void DeviceCommunication::deactivateCallForwarding() {
    if (const auto settings = getCurrentConnectionSettings())
        sendIfAny(CommandParser::keyForward(settings.get()) + " 0", *settings);
}

void DeviceCommunication::activateUpdateCallForwarding(bool, int32_t type, const std::string& number) {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    // All three are attempted, whatever an earlier send gave.
    sendIfAny(CommandParser::keyForward(settings.get()) + " 0", *settings);
    sendIfAny(CommandParser::keyForward(settings.get()) + " " + toString(type), *settings);
    sendIfAny(CommandParser::keyCall(settings.get()) + " " + CommandParser::cleanArgument(number), *settings);
}

void DeviceCommunication::redial() {
    if (const auto settings = getCurrentConnectionSettings())
        sendIfAny(CommandParser::keyRedial(settings.get()), *settings);
}

void DeviceCommunication::call(const std::string& number) {
    const auto settings = getCurrentConnectionSettings();
    if (settings == nullptr)
        return;
    const std::string cleaned = CommandParser::cleanArgument(number);
    if (cleaned.empty())
        m_line->offHook(settings.get());
    else
        m_line->dial(settings.get(), stripLeadingPlus(cleaned));
}

void DeviceCommunication::answer(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->answer(partyId, settings.get());
}

void DeviceCommunication::hold(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->hold(partyId, settings.get());
}

void DeviceCommunication::resume(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->resume(partyId, settings.get());
}

void DeviceCommunication::endCall(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->endCall(partyId, settings.get());
}

void DeviceCommunication::newCall(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->newCall(partyId, settings.get());
}

void DeviceCommunication::conference(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->conference(partyId, settings.get());
}

void DeviceCommunication::reject(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->reject(partyId, settings.get());
}

void DeviceCommunication::cancelTransfer(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->cancelTransfer(partyId, settings.get());
}

void DeviceCommunication::completeTransfer(int32_t partyId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->completeTransfer(partyId, settings.get());
}

void DeviceCommunication::transfer(bool assisted, int32_t lineId) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->transfer(lineId, settings.get(), assisted);
}

void DeviceCommunication::keyDigitPressed(const std::string& digit) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->sendDigit(settings.get(), true, CommandParser::cleanArgument(digit));
}

void DeviceCommunication::keyDigitReleased(const std::string& digit) {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->sendDigit(settings.get(), false, CommandParser::cleanArgument(digit));
}

void DeviceCommunication::hookFlash() {
    if (const auto settings = getCurrentConnectionSettings())
        m_line->hookFlash(settings.get());
}

void DeviceCommunication::checkDigitCollectionTimeout() {
    if (const auto settings = getCurrentConnectionSettings())
        checkDigitCollectionTimeout(*settings);
}

void DeviceCommunication::checkDigitCollectionTimeout(const CPPConnectionSettings& settings) {
    if (settings.getPhoneType() == PhoneType::TELCO)
        dispatchNotification(m_line->checkDigitCollectionTimeout());
}

float DeviceCommunication::volumeRampTarget(bool up) {
    const CPPLine* line = getInstance()->getLine();
    return up ? line->getMaxVolumeValue() : line->getMinVolumeValue();
}

int32_t DeviceCommunication::volumeRampStep() {
    const CPPLine* line = getInstance()->getLine();
    return truncateToInt32(std::fabs(line->getMaxVolumeValue() - line->getMinVolumeValue()) / 5.0f);
}

float DeviceCommunication::sliderGainToVolume(float gain) {
    const CPPLine* line = getInstance()->getLine();
    const float minimum = line->getMinVolumeValue();
    // The product in single precision, the rest in double: the values sent have always
    // been computed in this mix.
    const float product = gain * std::fabs(line->getMaxVolumeValue() - minimum);
    return static_cast<float>(static_cast<double>(minimum) + static_cast<double>(product) / 100.0);
}

std::string DeviceCommunication::stripLeadingPlus(const std::string& number) {
    const size_t first = number.find_first_not_of('+');
    return first == std::string::npos ? number : number.substr(first);
}
