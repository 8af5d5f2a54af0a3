#include "Logic/call/CPPStateRegistry.h"

#include "Logic/call/CPPLineActiveState.h"
#include "Logic/call/CPPLineBlindTransferHoldState.h"
#include "Logic/call/CPPLineBlindTransferringBusyState.h"
#include "Logic/call/CPPLineBlindTransferringDialToneState.h"
#include "Logic/call/CPPLineBlindTransferringDialingState.h"
#include "Logic/call/CPPLineBlindTransferringInProcessState.h"
#include "Logic/call/CPPLineBlindTransferringRingingState.h"
#include "Logic/call/CPPLineBusyState.h"
#include "Logic/call/CPPLineCFWState.h"
#include "Logic/call/CPPLineConferenceActiveState.h"
#include "Logic/call/CPPLineConferenceHoldState.h"
#include "Logic/call/CPPLineDialToneState.h"
#include "Logic/call/CPPLineDialingState.h"
#include "Logic/call/CPPLineHoldState.h"
#include "Logic/call/CPPLineIdleState.h"
#include "Logic/call/CPPLineInProcessState.h"
#include "Logic/call/CPPLineIncomingState.h"
#include "Logic/call/CPPLineRingingState.h"
#include "Logic/call/CPPLineTransferActiveState.h"
#include "Logic/call/CPPLineTransferHoldState.h"
#include "Logic/call/CPPLineTransferringActiveState.h"
#include "Logic/call/CPPLineTransferringBusyState.h"
#include "Logic/call/CPPLineTransferringDialToneState.h"
#include "Logic/call/CPPLineTransferringDialingState.h"
#include "Logic/call/CPPLineTransferringHoldState.h"
#include "Logic/call/CPPLineTransferringInProcessState.h"
#include "Logic/call/CPPLineTransferringRingingState.h"
#include "Logic/call/CPPTelcoConnectedState.h"
#include "Logic/call/CPPTelcoDialToneState.h"
#include "Logic/call/CPPTelcoDigitCollectionState.h"
#include "Logic/call/CPPTelcoIdleState.h"
#include "Logic/call/CPPTelcoIncomingState.h"

CPPStateRegistry& CPPStateRegistry::getInstance() {
    static CPPStateRegistry* const instance = new CPPStateRegistry;
    return *instance;
}

CPPStateRegistry::CPPStateRegistry() {
    m_unknown = add("UNKNOWN", std::make_unique<CPPIState>());
    add("IDLE", std::make_unique<CPPLineIdleState>());
    add("DIAL_TONE", std::make_unique<CPPLineDialToneState>());
    add("DIALING", std::make_unique<CPPLineDialingState>());
    add("INPROCESS", std::make_unique<CPPLineInProcessState>());
    add("RINGING", std::make_unique<CPPLineRingingState>());
    add("BUSY", std::make_unique<CPPLineBusyState>());
    add("ACTIVE", std::make_unique<CPPLineActiveState>());
    add("HOLD", std::make_unique<CPPLineHoldState>());
    add("INCOMING", std::make_unique<CPPLineIncomingState>());
    add("CFW", std::make_unique<CPPLineCFWState>());
    add("CONFERENCE_ACTIVE", std::make_unique<CPPLineConferenceActiveState>());
    add("CONFERENCE_HOLD", std::make_unique<CPPLineConferenceHoldState>());
    add("TRANSFER_HOLD", std::make_unique<CPPLineTransferHoldState>());
    add("TRANSFER_ACTIVE", std::make_unique<CPPLineTransferActiveState>());
    add("TRANSFERRING_HOLD", std::make_unique<CPPLineTransferringHoldState>());
    add("TRANSFERRING_DIAL_TONE", std::make_unique<CPPLineTransferringDialToneState>());
    add("TRANSFERRING_DIALING", std::make_unique<CPPLineTransferringDialingState>());
    add("TRANSFERRING_INPROCESS", std::make_unique<CPPLineTransferringInProcessState>());
    add("TRANSFERRING_RINGING", std::make_unique<CPPLineTransferringRingingState>());
    add("TRANSFERRING_BUSY", std::make_unique<CPPLineTransferringBusyState>());
    add("TRANSFERRING_ACTIVE", std::make_unique<CPPLineTransferringActiveState>());
    add("BLIND_TRANSFER_HOLD", std::make_unique<CPPLineBlindTransferHoldState>());
    add("BLIND_TRANSFERRING_DIAL_TONE", std::make_unique<CPPLineBlindTransferringDialToneState>());
    add("BLIND_TRANSFERRING_DIALING", std::make_unique<CPPLineBlindTransferringDialingState>());
    add("BLIND_TRANSFERRING_INPROCESS", std::make_unique<CPPLineBlindTransferringInProcessState>());
    add("BLIND_TRANSFERRING_RINGING", std::make_unique<CPPLineBlindTransferringRingingState>());
    add("BLIND_TRANSFERRING_BUSY", std::make_unique<CPPLineBlindTransferringBusyState>());
    m_telcoIdle = add("TELCO_IDLE", std::make_unique<CPPTelcoIdleState>());
    m_telcoConnected = add("TELCO_CONNECTED", std::make_unique<CPPTelcoConnectedState>());
    m_telcoDialTone = add("TELCO_DIAL_TONE", std::make_unique<CPPTelcoDialToneState>());
    m_telcoDigitCollection = add("TELCO_DIGIT_COLLECTION", std::make_unique<CPPTelcoDigitCollectionState>());
    m_telcoIncoming = add("TELCO_INCOMING", std::make_unique<CPPTelcoIncomingState>());
}

const CPPIState* CPPStateRegistry::add(const std::string& name, std::unique_ptr<const CPPIState> state) {
    const CPPIState* stored = state.get();
    m_states.emplace(name, std::move(state));
    return stored;
}

const CPPIState* CPPStateRegistry::getState(const std::string& name) const {
    const auto found = m_states.find(name);
    return found != m_states.end() ? found->second.get() : m_unknown;
}
