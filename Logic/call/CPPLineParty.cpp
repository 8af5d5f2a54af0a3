#include "Logic/call/CPPLineParty.h"

#include "Logic/call/CPPIState.h"
#include "Logic/call/CPPStateRegistry.h"
#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/protocol/CPPNotificationInfo.h"
#include "Logic/protocol/CommandParser.h"
#include "Logic/store/CPPCallLog.h"
#include "Logic/store/CPPCallLogManager.h"
#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPContactManager.h"

#include "Platform/Clock.h"

namespace {

// Whole seconds without a digit after which the box is taken to have dialled.
constexpr int32_t DIGIT_COLLECTION_TIMEOUT_SECONDS = 20;

std::time_t now() {
    return Platform::Clock::current().now();
}

const CPPStateRegistry& registry() {
    return CPPStateRegistry::getInstance();
}

// A query the box answers with the next piece of the call; only asked with a profile.
void queueQuery(std::vector<std::string>& followUps, const CPPConnectionSettings* settings,
                std::string (*builder)(const CPPConnectionSettings*)) {
    if (settings != nullptr) {
        followUps.push_back(builder(settings));
    }
}

// No profile counts as VoIP, as for the line's own reset.
bool isSipLine(const CPPConnectionSettings* settings) {
    return settings == nullptr || settings->getPhoneType() == PhoneType::VOIP;
}

} // namespace

CPPLineParty::CPPLineParty(int32_t id)
    : m_id(id), m_startTime(now()), m_endTime(m_startTime), m_lastDigitTime(m_startTime),
      m_state(registry().getState("IDLE")), m_statePre(m_state) {}

void CPPLineParty::reset(bool isSip) {
    m_status = StateCategory::IDLE;
    m_state = isSip ? registry().getState("IDLE") : registry().getTelcoIdleState();
    m_statePre = m_state;
    m_callParty.clear();
    m_displayName.clear();
    m_activeDuration = 0;
    m_holdDuration = 0;
    m_contact.reset();
    m_startTime = now();
    m_endTime = m_startTime;
    m_lastDigitTime = m_startTime;
    m_direction = 0;
    m_callType = CallType::PLACED;
}

int32_t CPPLineParty::getState() const {
    return m_state->getStateId();
}

int32_t CPPLineParty::getStatePre() const {
    return m_statePre->getStateId();
}

void CPPLineParty::updateStatus() {
    m_status = m_state->getCategory();
}

bool CPPLineParty::setState(const std::string& name, const CPPConnectionSettings* settings) {
    const CPPIState* next = registry().getState(name);
    const int32_t nextId = next->getStateId();
    if (nextId == StateId::UNKNOWN || nextId == getState()) {
        return false;
    }
    if (nextId == StateId::CFW) {
        // A forwarded call ends the party as if it had gone idle.
        if (getState() == StateId::IDLE) {
            return false;
        }
        m_statePre = m_state;
        m_state = registry().getState("IDLE");
        onStateChanged(settings);
        return true;
    }
    changeTo(next, settings);
    return true;
}

void CPPLineParty::setCallParty(const std::string& number) {
    m_callParty = number;
    const std::vector<CPPContact> contacts = CPPContactManager::getInstance().contactByNumber(number);
    m_contact = contacts.empty() ? nullptr : std::make_shared<const CPPContact>(contacts.front());
}

void CPPLineParty::changeTo(const CPPIState* next, const CPPConnectionSettings* settings) {
    m_statePre = m_state;
    m_state = next;
    onStateChanged(settings);
    updateStatus();
}

void CPPLineParty::onStateChanged(const CPPConnectionSettings* settings) {
    const int32_t stateId = getState();
    const int32_t previousId = getStatePre();
    if (stateId == StateId::ACTIVE) {
        // A call resumed from hold keeps its start.
        if (previousId != StateId::HOLD) {
            m_startTime = now();
        }
        if (previousId == StateId::INCOMING) {
            m_callType = CallType::RECEIVED;
        } else if (previousId == StateId::RINGING) {
            m_callType = CallType::PLACED;
        }
        m_holdDuration = 0;
        return;
    }
    if (stateId == StateId::INCOMING) {
        // A call never answered is logged from the moment it began to ring.
        m_startTime = now();
        return;
    }
    if (stateId != StateId::IDLE) {
        return;
    }
    bool log = false;
    // A call that never became active is a placed call of no length.
    if (previousId == StateId::RINGING || previousId == StateId::DIAL_TONE) {
        m_startTime = now();
        m_callType = CallType::PLACED;
        log = true;
        m_activeDuration = 0;
        m_holdDuration = 0;
    }
    m_endTime = now();
    if (previousId == StateId::INCOMING) {
        m_callType = CallType::MISSED;
        log = true;
        m_activeDuration = 0;
        m_holdDuration = 0;
    } else if (previousId == StateId::ACTIVE || previousId == StateId::HOLD) {
        log = true;
        m_holdDuration = 0;
    }
    if (log && !m_callParty.empty()) {
        // The call a redial ends stays out of the log; the flag covers that one call.
        DeviceCommunication* device = DeviceCommunication::getInstance();
        const bool redialPending = device != nullptr && device->takeRedialPending();
        if (!redialPending) {
            writeCallLog();
        }
        if (m_contact && m_callType == CallType::PLACED) {
            CPPContactManager::getInstance().updateContactRow(*m_contact);
        }
        m_activeDuration = 0;
        m_holdDuration = 0;
    }
    reset(isSipLine(settings));
}

void CPPLineParty::writeCallLog() const {
    CPPCallLog entry;
    entry.setCallNumber(m_callParty);
    entry.setCallType(m_callType);
    entry.setContactName(m_contact ? m_contact->getFullName() : m_displayName);
    entry.setCompany(m_contact ? m_contact->getCompany() : std::string());
    entry.setCallTimes(m_startTime, m_endTime, m_activeDuration);
    CPPCallLogManager::getInstance().addCallLog(entry);
}

bool CPPLineParty::onRing(const std::string& value, const CPPConnectionSettings* settings) {
    if (value != "1" || getState() == StateId::TELCO_INCOMING) {
        return false;
    }
    changeTo(registry().getTelcoIncomingState(), settings);
    return true;
}

bool CPPLineParty::onDigitReleased(const CPPConnectionSettings* settings) {
    m_lastDigitTime = now();
    if (getState() == StateId::TELCO_CONNECTED || getState() == StateId::TELCO_DIGIT_COLLECTION) {
        return false;
    }
    changeTo(registry().getTelcoDigitCollectionState(), settings);
    return true;
}

void CPPLineParty::onKeyCall(const std::string& number, const CPPConnectionSettings* settings) {
    if (getState() == StateId::TELCO_IDLE) {
        m_statePre = m_state;
        m_lastDigitTime = now();
        m_state = registry().getTelcoDigitCollectionState();
        onStateChanged(settings);
    } else if (getState() == StateId::TELCO_DIAL_TONE) {
        m_statePre = m_state;
        m_state = registry().getTelcoConnectedState();
        onStateChanged(settings);
    }
    setCallParty(number);
    updateStatus();
}

void CPPLineParty::onHook(const std::string& value, const CPPConnectionSettings* settings) {
    const int32_t stateId = getState();
    if (value == "1") {
        if (stateId == StateId::TELCO_INCOMING || stateId == StateId::TELCO_DIGIT_COLLECTION) {
            changeTo(registry().getTelcoConnectedState(), settings);
        } else if (stateId != StateId::TELCO_DIAL_TONE) {
            changeTo(registry().getTelcoDialToneState(), settings);
        }
    } else if (stateId != StateId::TELCO_IDLE) {
        changeTo(registry().getTelcoIdleState(), settings);
    }
}

void CPPLineParty::onIncomingCall(const std::string& value, const CPPConnectionSettings* settings) {
    const int32_t stateId = getState();
    if (value.empty()) {
        changeTo(stateId == StateId::TELCO_IDLE ? registry().getTelcoIncomingState()
                                                : registry().getTelcoIdleState(),
                 settings);
    } else if (value == "1") {
        if (stateId != StateId::TELCO_INCOMING) {
            changeTo(registry().getTelcoIncomingState(), settings);
        }
    } else if (stateId != StateId::TELCO_IDLE) {
        changeTo(registry().getTelcoIdleState(), settings);
    }
}

void CPPLineParty::onCallDuration(const std::string& value, const CPPConnectionSettings* settings,
                                  std::vector<std::string>& followUps) {
    if (value.empty()) {
        m_activeDuration = 0;
    } else {
        // The row written by going idle adds the box's seconds to those since the start.
        m_activeDuration = stringToInt(value);
        if (getState() != StateId::TELCO_IDLE) {
            changeTo(registry().getTelcoIdleState(), settings);
        }
    }
    queueQuery(followUps, settings, &CommandParser::inquireDirection);
}

void CPPLineParty::onCallerId(const std::string& number, const std::string& name,
                              const CPPConnectionSettings* settings, std::vector<std::string>& followUps) {
    setCallParty(number);
    m_displayName = name;
    if (getState() == StateId::TELCO_DIAL_TONE || getState() == StateId::TELCO_DIGIT_COLLECTION) {
        changeTo(registry().getTelcoConnectedState(), settings);
    }
    queueQuery(followUps, settings, &CommandParser::inquireDigitsDialedSinceOffHook);
}

void CPPLineParty::onHookInquiry(const std::string& value, const CPPConnectionSettings* settings,
                                 std::vector<std::string>& followUps) {
    if (value == "1") {
        if (getState() != StateId::TELCO_DIAL_TONE) {
            changeTo(registry().getTelcoDialToneState(), settings);
        }
    } else if (getState() != StateId::TELCO_IDLE) {
        changeTo(registry().getTelcoIdleState(), settings);
    }
    queueQuery(followUps, settings, &CommandParser::inquireOffHookDuration);
}

void CPPLineParty::onOffHookDuration(const std::string& value) {
    m_activeDuration = value.empty() ? 0 : stringToInt(value);
}

void CPPLineParty::onDirection(const std::string& value, const CPPConnectionSettings* settings,
                               std::vector<std::string>& followUps) {
    m_direction = stringToInt(value);
    updateStatus();
    queueQuery(followUps, settings, &CommandParser::inquireCallerId);
}

void CPPLineParty::onDigitsDialed(const std::string& value, const CPPConnectionSettings* settings) {
    if (value != "0") {
        setCallParty(value);
        if (getState() != StateId::TELCO_DIGIT_COLLECTION) {
            m_statePre = m_state;
            m_lastDigitTime = now();
            m_state = registry().getTelcoDigitCollectionState();
            onStateChanged(settings);
            updateStatus();
        }
    }
    // More than 20 seconds off hook with digits known: the call is through.
    if (!m_callParty.empty() && m_activeDuration > DIGIT_COLLECTION_TIMEOUT_SECONDS &&
        getState() != StateId::TELCO_CONNECTED) {
        changeTo(registry().getTelcoConnectedState(), settings);
    }
}

std::unique_ptr<CPPNotificationInfo>
CPPLineParty::checkDigitCollectionTimeout(const CPPConnectionSettings* settings) {
    if (getState() != StateId::TELCO_DIGIT_COLLECTION) {
        return nullptr;
    }
    // Whole seconds: 19.9 is still too early, exactly 20 ends the collection.
    if (std::difftime(now(), m_lastDigitTime) < DIGIT_COLLECTION_TIMEOUT_SECONDS) {
        return nullptr;
    }
    changeTo(registry().getTelcoConnectedState(), settings);
    auto record = std::make_unique<CPPNotificationInfo>();
    record->setNotificationType(NotificationType::PARTY_STATE);
    record->setCmdType(CommandType::RECEIVED);
    record->setEndPointType(EndPointType::TELCO_RX);
    record->setEpn("1");
    record->setBn("KEY");
    record->setPn("KEY_DIGIT_RELEASED");
    record->setPayload("");
    record->setOriginCmd("Dummy digit collection timeout");
    return record;
}

bool CPPLineParty::offHook(const CPPConnectionSettings* settings) const {
    return m_state->offHook(m_id, settings);
}

bool CPPLineParty::dial(const CPPConnectionSettings* settings, const std::string& number) const {
    return m_state->dial(m_id, settings, number);
}

bool CPPLineParty::sendDigit(const CPPConnectionSettings* settings, bool pressed,
                             const std::string& digit) const {
    return m_state->sendDigit(m_id, settings, pressed, digit);
}

void CPPLineParty::conference(const CPPConnectionSettings* settings, int32_t otherPartyId) const {
    m_state->conference(m_id, settings, otherPartyId);
}

void CPPLineParty::transfer(const CPPConnectionSettings* settings) const {
    m_state->transfer(m_id, settings);
}

void CPPLineParty::blindTransfer(const CPPConnectionSettings* settings) const {
    m_state->blindTransfer(m_id, settings);
}

bool CPPLineParty::reject(const CPPConnectionSettings* settings) const {
    return m_state->reject(m_id, settings);
}

bool CPPLineParty::cancelTransfer(const CPPConnectionSettings* settings) const {
    return m_state->cancelTransfer(m_id, settings);
}

bool CPPLineParty::completeTransfer(const CPPConnectionSettings* settings) const {
    return m_state->completeTransfer(m_id, settings);
}

void CPPLineParty::answer(const CPPConnectionSettings* settings) const {
    m_state->answer(m_id, settings);
}

void CPPLineParty::hold(const CPPConnectionSettings* settings) const {
    m_state->hold(m_id, settings);
}

void CPPLineParty::resume(const CPPConnectionSettings* settings) const {
    m_state->resume(m_id, settings);
}

void CPPLineParty::newCall(const CPPConnectionSettings* settings, int32_t freePartyId) const {
    m_state->newCall(freePartyId, settings);
}

bool CPPLineParty::endCall(const CPPConnectionSettings* settings) const {
    return m_state->endCall(m_id, settings);
}

void CPPLineParty::hookFlash(const CPPConnectionSettings* settings) const {
    m_state->hookFlash(m_id, settings);
}

bool CPPLineParty::showsHold() const {
    return m_state->showsHold();
}

bool CPPLineParty::showsKeyPad() const {
    return m_state->showsKeyPad();
}

bool CPPLineParty::showsResume() const {
    return m_state->showsResume();
}

bool CPPLineParty::showsTransfer() const {
    return m_state->showsTransfer();
}

bool CPPLineParty::showsConference() const {
    return m_state->showsConference();
}

bool CPPLineParty::showsEndCall() const {
    return m_state->showsEndCall();
}

bool CPPLineParty::showsNewCall() const {
    return m_state->showsNewCall();
}

bool CPPLineParty::showsReject() const {
    return m_state->showsReject();
}

bool CPPLineParty::showsCancelTransfer() const {
    return m_state->showsCancelTransfer();
}

bool CPPLineParty::showsCompleteTransfer() const {
    return m_state->showsCompleteTransfer();
}

bool CPPLineParty::showsAnswer() const {
    return m_state->showsAnswer();
}

bool CPPLineParty::showsHookFlash() const {
    return m_state->showsHookFlash();
}
