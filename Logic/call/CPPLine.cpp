#include "Logic/call/CPPLine.h"

#include "Logic/call/CPPIState.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/common/Tokenizer.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/protocol/CPPNotificationInfo.h"
#include "Logic/protocol/CommandParser.h"
#include "Logic/store/CPPPreferencesSettings.h"
#include "Logic/store/CPPPreferencesSettingsManager.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

constexpr int32_t PARTY_COUNT = 5;
constexpr int32_t TELCO_PARTY = 1;

// States whose payload carries the remote party in a form the line does not store.
bool isDialingState(int32_t stateId) {
    return stateId == StateId::DIALING || stateId == StateId::TRANSFERRING_DIALING ||
           stateId == StateId::BLIND_TRANSFERRING_DIALING;
}

bool carriesActiveSeconds(int32_t stateId) {
    switch (stateId) {
    case StateId::ACTIVE:
    case StateId::HOLD:
    case StateId::CONFERENCE_ACTIVE:
    case StateId::CONFERENCE_HOLD:
    case StateId::TRANSFER_HOLD:
    case StateId::TRANSFER_ACTIVE:
    case StateId::TRANSFERRING_ACTIVE:
    case StateId::TRANSFERRING_HOLD:
    case StateId::BLIND_TRANSFER_HOLD:
        return true;
    default:
        return false;
    }
}

bool carriesHoldSeconds(int32_t stateId) {
    return stateId == StateId::HOLD || stateId == StateId::CONFERENCE_HOLD ||
           stateId == StateId::TRANSFER_HOLD || stateId == StateId::TRANSFERRING_HOLD;
}

// A SIP remote party as `"Name" <SIP:address>`: the number is what the last "<...>" holds, the
// name whatever stands before it (quotes, brackets and ":" included).
struct NamedAddress {
    std::string name;
    std::string number;
};

std::string_view trimmedOf(std::string_view text, std::string_view characters) {
    const size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// Cuts a party's text whose remote field ends in "<...>" into the state, that whole field and
// the durations after it; nothing when the remote holds no such address.
std::optional<NamedAddress> cutAtNamedAddress(std::string_view payload, std::vector<std::string>& fields) {
    const size_t stateStart = payload.find_first_not_of(':');
    if (stateStart == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t stateEnd = std::min(payload.find(':', stateStart), payload.size());
    const size_t close = payload.rfind('>');
    const size_t open = close == std::string_view::npos ? close : payload.rfind('<', close);
    if (open == std::string_view::npos || open < stateEnd) {
        return std::nullopt;
    }
    // Runs of ":" count as one separator, as in the rest of the text.
    const size_t remoteStart = payload.find_first_not_of(':', stateEnd);
    NamedAddress named{std::string(trimmedOf(payload.substr(remoteStart, open - remoteStart), " \"")),
                       std::string(payload.substr(open + 1, close - open - 1))};
    if (named.number.starts_with("SIP:")) {
        named.number.erase(0, 4);
    }
    fields.emplace_back(payload.substr(stateStart, stateEnd - stateStart));
    fields.emplace_back(payload.substr(remoteStart, close + 1 - remoteStart));
    // Anything between the address and the next ":" (parameters) still belongs to the remote.
    const size_t durations = payload.find(':', close);
    if (durations != std::string_view::npos) {
        for (std::string& duration : splitTokens(payload.substr(durations), ":")) {
            fields.push_back(std::move(duration));
        }
    }
    return named;
}

bool isIdleOrUnknown(int32_t stateId) {
    return stateId == StateId::UNKNOWN || stateId == StateId::IDLE;
}

bool isCollectingDigits(int32_t stateId) {
    switch (stateId) {
    case StateId::DIAL_TONE:
    case StateId::DIALING:
    case StateId::TRANSFERRING_DIAL_TONE:
    case StateId::TRANSFERRING_DIALING:
    case StateId::BLIND_TRANSFERRING_DIAL_TONE:
    case StateId::BLIND_TRANSFERRING_DIALING:
        return true;
    default:
        return false;
    }
}

} // namespace

CPPLine& CPPLine::getInstance() {
    static CPPLine* const instance = new CPPLine;
    return *instance;
}

CPPLine::CPPLine() {
    m_data.sipProxyStatusMap = {{"NO_PROXY_DEFINED", NO_PROXY_DEFINED},
                                {"NOT_REGISTERED", NOT_REGISTERED},
                                {"REGISTERED_PRIMARY", REGISTERED_PRIMARY},
                                {"REGISTERED_SECONDARY", REGISTERED_SECONDARY}};
    m_data.callForwardingTypeMap = {{"CFW-NONE", CFW_NONE},
                                    {"CFW-UNCONDITIONAL", CFW_UNCONDITIONAL},
                                    {"CFW-BUSY", CFW_BUSY},
                                    {"CFW-NO_REPLY", CFW_NO_REPLY}};
    for (int32_t id = 1; id <= PARTY_COUNT; ++id) {
        m_data.lineParties.emplace(id, CPPLineParty(id));
    }
}

CPPLine::CPPLine(const CPPLine& other) : m_data(other.copyData()) {}

CPPLine::Data CPPLine::copyData() const {
    std::lock_guard lock(m_mutex);
    return m_data;
}

void CPPLine::reset(bool isSip) {
    std::lock_guard lock(m_mutex);
    m_data.displayName.clear();
    m_data.callForwardingNumber.clear();
    m_data.callForwardingUserPart.clear();
    m_data.sipProxyStatus = SIP_PROXY_NOT_REPORTED;
    m_data.callForwardingType = CFW_NONE;
    m_data.callForwardingEnabled = false;
    m_data.doNotDisturbEnabled = false;
    m_data.volumeEnabled = false;
    m_data.muteEnabled = false;
    for (auto& [id, party] : m_data.lineParties) {
        party.reset(isSip);
    }
    m_data.lineState = LineState::IDLE;
    m_data.muteActivated = true;
    m_data.minVolumeValue = -65.0f;
    m_data.maxVolumeValue = 20.0f;
    m_data.volumeSliderValue = 0.0f;
}

std::map<int32_t, CPPLineParty> CPPLine::getLineParties() const {
    std::lock_guard lock(m_mutex);
    return m_data.lineParties;
}

bool CPPLine::updateDoNotDisturbState(int32_t state) {
    std::lock_guard lock(m_mutex);
    if (m_data.doNotDisturbState == state) {
        return false;
    }
    m_data.doNotDisturbState = state;
    return true;
}

float CPPLine::updateVolumeSliderFromLevel(float level) {
    std::lock_guard lock(m_mutex);
    m_data.volumeSliderValue =
        CommandParser::sliderPosition(level, m_data.minVolumeValue, m_data.maxVolumeValue);
    return m_data.volumeSliderValue;
}

bool CPPLine::updateDisplayName(const std::string& name) {
    std::lock_guard lock(m_mutex);
    if (m_data.displayName == name) {
        return false;
    }
    m_data.displayName = name;
    return true;
}

bool CPPLine::setSipProxyStatusByName(const std::string& word) {
    std::lock_guard lock(m_mutex);
    const auto found = m_data.sipProxyStatusMap.find(word);
    if (found == m_data.sipProxyStatusMap.end() || found->second == m_data.sipProxyStatus) {
        return false;
    }
    m_data.sipProxyStatus = found->second;
    return true;
}

bool CPPLine::setCallForwardingTypeByName(const std::string& word) {
    std::lock_guard lock(m_mutex);
    return setCallForwardingTypeByNameLocked(word);
}

bool CPPLine::setCallForwardingTypeByNameLocked(const std::string& word) {
    const auto found = m_data.callForwardingTypeMap.find(word);
    if (found == m_data.callForwardingTypeMap.end() || found->second == m_data.callForwardingType) {
        return false;
    }
    m_data.callForwardingType = found->second;
    return true;
}

bool CPPLine::updateParty(int32_t partyId, const std::string& payload,
                          const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    CPPLineParty* party = findPartyLocked(partyId);
    if (party == nullptr) {
        return false;
    }
    std::vector<std::string> fields;
    const std::optional<NamedAddress> named = cutAtNamedAddress(payload, fields);
    bool carriesSipAddress = false;
    if (!named) {
        std::string text = payload;
        const size_t sipAt = text.find("SIP:");
        carriesSipAddress = sipAt != std::string::npos;
        if (carriesSipAddress) {
            text.erase(sipAt, 4);
        }
        // Empty fields vanish and the later ones move up, as the box's format has it.
        fields = splitTokens(text, ":");
    }
    if (fields.empty() || !party->setState(fields[0], settings)) {
        return false;
    }
    // State first, remote after: a remote in an IDLE payload lands on the reset party.
    const int32_t stateId = party->getState();
    if (fields.size() > 1 && !isDialingState(stateId)) {
        if (named) {
            party->setDisplayName(named->name);
            party->setCallParty(named->number);
        } else if (carriesSipAddress) {
            // A bare address (or a quoted name alone) is shown as the name.
            const std::vector<std::string> pieces = splitTokens(fields[1], "\"<>");
            if (!pieces.empty()) {
                party->setDisplayName(pieces[0]);
            }
            if (pieces.size() > 2) {
                party->setCallParty(pieces[2]);
            }
        } else {
            party->setCallParty(fields[1]);
        }
    }
    if (fields.size() > 2) {
        if (carriesActiveSeconds(stateId)) {
            party->setActiveDuration(stringToInt(fields[2]));
        }
        if (fields.size() > 3 && carriesHoldSeconds(stateId)) {
            party->setHoldDuration(stringToInt(fields[3]));
        }
    }
    updateLineStateLocked();
    return true;
}

bool CPPLine::updateCallForwardingStatus(const std::string& payload) {
    std::lock_guard lock(m_mutex);
    Tokenizer tokens(payload);
    const std::optional<std::string> status = tokens.next(";");
    if (!status) {
        return false;
    }
    if (*status == "INACTIVE" || *status == "INPROCESS") {
        if (m_data.callForwardingType == CFW_NONE) {
            return false;
        }
        // The user part stays for the display that alternates with the line's name.
        m_data.callForwardingType = CFW_NONE;
        m_data.callForwardingNumber.clear();
        return true;
    }
    if (*status != "ACTIVE") {
        return false;
    }
    const std::optional<std::string> type = tokens.next(";");
    if (!type) {
        return false;
    }
    const bool changed = setCallForwardingTypeByNameLocked(*type);
    const std::optional<std::string> target = tokens.next(";");
    if (!target) {
        return changed;
    }
    // scheme:user@host stores user@host; a target without a scheme is stored whole.
    const std::vector<std::string> pieces = splitTokens(*target, ":");
    if (pieces.empty()) {
        return changed;
    }
    m_data.callForwardingNumber = pieces.size() > 1 ? pieces[1] : pieces[0];
    const std::vector<std::string> addressParts = splitTokens(m_data.callForwardingNumber, "@");
    m_data.callForwardingUserPart = addressParts.empty() ? m_data.callForwardingNumber : addressParts[0];
    return changed;
}

void CPPLine::onTelcoKeyCall(const std::string& number, const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    findPartyLocked(TELCO_PARTY)->onKeyCall(number, settings);
    updateLineStateLocked();
}

void CPPLine::onTelcoDigitReleased(const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    if (findPartyLocked(TELCO_PARTY)->onDigitReleased(settings)) {
        updateLineStateLocked();
    }
}

bool CPPLine::onTelcoRing(const std::string& value, const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    const bool changed = findPartyLocked(TELCO_PARTY)->onRing(value, settings);
    if (changed) {
        updateLineStateLocked();
    }
    return changed;
}

bool CPPLine::onTelcoIncomingCall(const std::string& value, const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    findPartyLocked(TELCO_PARTY)->onIncomingCall(value, settings);
    updateLineStateLocked();
    return true;
}

bool CPPLine::onTelcoHook(const std::string& value, const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    findPartyLocked(TELCO_PARTY)->onHook(value, settings);
    updateLineStateLocked();
    return true;
}

bool CPPLine::onTelcoCallDuration(const std::string& value, const CPPConnectionSettings* settings) {
    std::vector<std::string> followUps;
    {
        std::lock_guard lock(m_mutex);
        findPartyLocked(TELCO_PARTY)->onCallDuration(value, settings, followUps);
        updateLineStateLocked();
    }
    sendAll(followUps);
    return true;
}

bool CPPLine::onTelcoCallerId(const std::string& text, const CPPConnectionSettings* settings) {
    std::vector<std::string> followUps;
    {
        std::lock_guard lock(m_mutex);
        // Two leading words (date and time), the number, then the name: each further word
        // followed by one blank.
        const std::vector<std::string> words = splitTokens(text, " ");
        if (words.size() >= 3) {
            std::string name;
            for (size_t index = 3; index < words.size(); ++index) {
                name += words[index] + " ";
            }
            findPartyLocked(TELCO_PARTY)->onCallerId(words[2], name, settings, followUps);
        }
        updateLineStateLocked();
    }
    sendAll(followUps);
    return true;
}

bool CPPLine::onTelcoHookInquiry(const std::string& value, const CPPConnectionSettings* settings) {
    std::vector<std::string> followUps;
    {
        std::lock_guard lock(m_mutex);
        findPartyLocked(TELCO_PARTY)->onHookInquiry(value, settings, followUps);
        updateLineStateLocked();
    }
    sendAll(followUps);
    return true;
}

bool CPPLine::onTelcoOffHookDuration(const std::string& value) {
    std::lock_guard lock(m_mutex);
    findPartyLocked(TELCO_PARTY)->onOffHookDuration(value);
    return true;
}

bool CPPLine::onTelcoDirection(const std::string& value, const CPPConnectionSettings* settings) {
    std::vector<std::string> followUps;
    {
        std::lock_guard lock(m_mutex);
        findPartyLocked(TELCO_PARTY)->onDirection(value, settings, followUps);
    }
    sendAll(followUps);
    return true;
}

bool CPPLine::onTelcoDigitsDialed(const std::string& value, const CPPConnectionSettings* settings) {
    std::lock_guard lock(m_mutex);
    findPartyLocked(TELCO_PARTY)->onDigitsDialed(value, settings);
    updateLineStateLocked();
    return true;
}

std::unique_ptr<CPPNotificationInfo> CPPLine::checkDigitCollectionTimeout() {
    const std::shared_ptr<const CPPConnectionSettings> settings =
        DeviceCommunication::getInstance()->getCurrentConnectionSettings();
    std::lock_guard lock(m_mutex);
    // The line state stays as it was: the box's next report brings it up to date.
    return findPartyLocked(TELCO_PARTY)->checkDigitCollectionTimeout(settings.get());
}

void CPPLine::offHook(const CPPConnectionSettings* settings) {
    for (const auto& [id, state] : partyStates()) {
        if (state->offHook(id, settings)) {
            return;
        }
    }
}

void CPPLine::dial(const CPPConnectionSettings* settings, const std::string& number) {
    for (const auto& [id, state] : partyStates()) {
        if (state->dial(id, settings, number)) {
            return;
        }
    }
}

void CPPLine::sendDigit(const CPPConnectionSettings* settings, bool pressed, const std::string& digit) {
    for (const auto& [id, state] : partyStates()) {
        if (state->sendDigit(id, settings, pressed, digit)) {
            return;
        }
    }
}

void CPPLine::conference(int32_t, const CPPConnectionSettings* settings) {
    PartyStates states;
    int32_t otherPartyId = -1;
    {
        std::lock_guard lock(m_mutex);
        states = partyStatesLocked();
        otherPartyId = firstPartyInStateLocked(StateId::CONFERENCE_HOLD);
    }
    for (const auto& [id, state] : states) {
        state->conference(id, settings, otherPartyId);
    }
}

void CPPLine::transfer(int32_t partyId, const CPPConnectionSettings* settings, bool assisted) {
    if (const CPPIState* state = stateOf(partyId)) {
        if (assisted) {
            state->transfer(partyId, settings);
        } else {
            state->blindTransfer(partyId, settings);
        }
    }
}

bool CPPLine::reject(int32_t partyId, const CPPConnectionSettings* settings) {
    const CPPIState* state = stateOf(partyId);
    return state != nullptr && state->reject(partyId, settings);
}

bool CPPLine::cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) {
    const CPPIState* state = stateOf(partyId);
    return state != nullptr && state->cancelTransfer(partyId, settings);
}

bool CPPLine::completeTransfer(int32_t partyId, const CPPConnectionSettings* settings) {
    const CPPIState* state = stateOf(partyId);
    return state != nullptr && state->completeTransfer(partyId, settings);
}

void CPPLine::answer(int32_t partyId, const CPPConnectionSettings* settings) {
    holdOthersThen(partyId, settings, &CPPIState::answer);
}

void CPPLine::hold(int32_t partyId, const CPPConnectionSettings* settings) {
    if (const CPPIState* state = stateOf(partyId)) {
        state->hold(partyId, settings);
    }
}

void CPPLine::resume(int32_t partyId, const CPPConnectionSettings* settings) {
    holdOthersThen(partyId, settings, &CPPIState::resume);
}

void CPPLine::newCall(int32_t partyId, const CPPConnectionSettings* settings) {
    const CPPIState* state = nullptr;
    int32_t freePartyId = -1;
    {
        std::lock_guard lock(m_mutex);
        CPPLineParty* party = findPartyLocked(partyId);
        state = party != nullptr ? party->getCurrentState() : nullptr;
        freePartyId = firstPartyInStateLocked(StateId::IDLE);
    }
    if (state != nullptr && freePartyId != -1) {
        state->newCall(freePartyId, settings);
    }
}

bool CPPLine::endCall(int32_t partyId, const CPPConnectionSettings* settings) {
    if (const CPPIState* state = stateOf(partyId)) {
        state->endCall(partyId, settings);
    }
    return true;
}

void CPPLine::hookFlash(const CPPConnectionSettings* settings) {
    if (const CPPIState* state = stateOf(TELCO_PARTY)) {
        state->hookFlash(TELCO_PARTY, settings);
    }
}

void CPPLine::holdOtherParties(int32_t partyId, const CPPConnectionSettings* settings) {
    holdOthers(partyStates(), partyId, settings);
}

void CPPLine::holdOthers(const PartyStates& states, int32_t partyId, const CPPConnectionSettings* settings) {
    for (const auto& [id, state] : states) {
        if (id != partyId) {
            state->hold(id, settings);
        }
    }
}

void CPPLine::holdOthersThen(int32_t partyId, const CPPConnectionSettings* settings, PartyAction action) {
    const PartyStates states = partyStates();
    const auto named =
        std::find_if(states.begin(), states.end(), [&](const auto& entry) { return entry.first == partyId; });
    // A party id the line does not hold asks for nothing, not even the holds.
    if (named == states.end()) {
        return;
    }
    holdOthers(states, partyId, settings);
    (named->second->*action)(partyId, settings);
}

void CPPLine::changeDoNotDisturb(bool enable, const CPPConnectionSettings* settings) {
    int32_t mode = DndMode::NOT_SET;
    if (enable) {
        const int32_t preferred =
            CPPPreferencesSettingsManager::getInstance().preferencesSettings().getDoNotDisturbMode();
        mode = preferred == DndMode::CALL_MUTE ? DndMode::CALL_MUTE : DndMode::CALL_REJECT;
    }
    DeviceCommunication::getInstance()->sendCommand(CommandParser::keyDoNotDisturb(settings) +
                                                    toString(mode));
}

int32_t CPPLine::firstIdlePartyId() const {
    std::lock_guard lock(m_mutex);
    return firstPartyInStateLocked(StateId::IDLE);
}

int32_t CPPLine::firstConferenceHoldPartyId() const {
    std::lock_guard lock(m_mutex);
    return firstPartyInStateLocked(StateId::CONFERENCE_HOLD);
}

bool CPPLine::showsConference() const {
    std::lock_guard lock(m_mutex);
    int32_t joinable = 0;
    for (const auto& [id, party] : m_data.lineParties) {
        if (party.showsConference()) {
            ++joinable;
        }
    }
    // A conference on hold can always be joined, though it shows no button of its own.
    if (firstPartyInStateLocked(StateId::CONFERENCE_HOLD) != -1) {
        ++joinable;
    }
    return joinable > 1;
}

CPPLineParty* CPPLine::findPartyLocked(int32_t partyId) {
    const auto found = m_data.lineParties.find(partyId);
    return found != m_data.lineParties.end() ? &found->second : nullptr;
}

const CPPIState* CPPLine::stateOf(int32_t partyId) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_data.lineParties.find(partyId);
    return found != m_data.lineParties.end() ? found->second.getCurrentState() : nullptr;
}

CPPLine::PartyStates CPPLine::partyStates() const {
    std::lock_guard lock(m_mutex);
    return partyStatesLocked();
}

CPPLine::PartyStates CPPLine::partyStatesLocked() const {
    PartyStates states;
    states.reserve(m_data.lineParties.size());
    for (const auto& [id, party] : m_data.lineParties) {
        states.emplace_back(id, party.getCurrentState());
    }
    return states;
}

int32_t CPPLine::firstPartyInStateLocked(int32_t stateId) const {
    for (const auto& [id, party] : m_data.lineParties) {
        if (party.getState() == stateId) {
            return id;
        }
    }
    return -1;
}

void CPPLine::updateLineStateLocked() {
    bool allIdle = true;
    bool inCall = false;
    for (const auto& [id, party] : m_data.lineParties) {
        const int32_t stateId = party.getState();
        allIdle = allIdle && isIdleOrUnknown(stateId);
        inCall = inCall || (!isIdleOrUnknown(stateId) && !isCollectingDigits(stateId));
    }
    m_data.lineState =
        allIdle ? LineState::IDLE : (inCall ? LineState::IN_CALL : LineState::COLLECTING_DIGITS);
}

void CPPLine::sendAll(const std::vector<std::string>& commands) {
    for (const std::string& command : commands) {
        DeviceCommunication::getInstance()->sendCommand(command);
    }
}
