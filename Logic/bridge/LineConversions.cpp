#include "Logic/bridge/LineConversions.h"

#include "Logic/bridge/ConvertEach.h"
#include "Logic/bridge/DirectoryConversions.h"
#include "Logic/common/Codes.h"
#include "Logic/store/CPPContact.h"

namespace {

// 0 and 1 kept, anything else 2: the three-valued codes of the line and its parties.
int64_t threeValued(int32_t value) {
    return value == 0 || value == 1 ? value : 2;
}

} // namespace

int64_t sipProxyStatusFromCpp(int32_t status) {
    return status;
}

int64_t callForwardingTypeFromCpp(int32_t type) {
    // The screens number "on no answer" 2 and "on busy" 3, the other way round from the box.
    switch (type) {
    case CPPLine::CFW_BUSY:
        return 3;
    case CPPLine::CFW_NO_REPLY:
        return 2;
    default:
        return type;
    }
}

int64_t lineStateFromCpp(int32_t state) {
    return threeValued(state);
}

int64_t doNotDisturbStateFromCpp(int32_t state) {
    return threeValued(state);
}

int64_t linePartyStatusFromCpp(int32_t status) {
    return threeValued(status);
}

int64_t linePartyStateFromCpp(int32_t state) {
    switch (state) {
    case StateId::TRANSFERRING_DIALING:
        return StateId::DIALING;
    case StateId::BLIND_TRANSFERRING_DIALING:
        return StateId::TRANSFERRING_DIALING;
    case StateId::BLIND_TRANSFERRING_RINGING:
        return StateId::TRANSFERRING_RINGING;
    case StateId::BLIND_TRANSFERRING_BUSY:
        return StateId::TRANSFERRING_BUSY;
    default:
        return state > StateId::BLIND_TRANSFERRING_INPROCESS ? StateId::BLIND_TRANSFERRING_INPROCESS : state;
    }
}

LinePartyPtr linePartyFromCpp(const CPPLineParty& party, bool withContact) {
    const std::shared_ptr<const CPPContact> contact = withContact ? party.getContact() : nullptr;
    auto snapshot = std::make_shared<LineParty>(
        party.getID(), linePartyStateFromCpp(party.getState()), linePartyStateFromCpp(party.getStatePre()),
        linePartyStatusFromCpp(party.getStatus()), party.getCallParty(), party.getActiveDuration(),
        party.getHoldDuration(), party.getDisplayName(),
        contact != nullptr ? contactFromCpp(*contact) : nullptr);
    snapshot->setShowsHold(party.showsHold());
    snapshot->setShowsKeyPad(party.showsKeyPad());
    snapshot->setShowsResume(party.showsResume());
    snapshot->setShowsTransfer(party.showsTransfer());
    snapshot->setShowsCancelTransfer(party.showsCancelTransfer());
    snapshot->setShowsCompleteTransfer(party.showsCompleteTransfer());
    snapshot->setShowsConference(party.showsConference());
    snapshot->setShowsNewCall(party.showsNewCall());
    snapshot->setShowsEndCall(party.showsEndCall());
    snapshot->setShowsAnswer(party.showsAnswer());
    snapshot->setShowsReject(party.showsReject());
    snapshot->setShowsHookFlash(party.showsHookFlash());
    return snapshot;
}

std::vector<LinePartyPtr> linePartiesFromCpp(const std::map<int32_t, CPPLineParty>& parties,
                                             bool withContacts) {
    return convertEach(
        parties, [withContacts](const auto& entry) { return linePartyFromCpp(entry.second, withContacts); });
}

LinePtr lineFromCpp(const CPPLine& line) {
    // The rest is read from the live line whenever it is asked for.
    return std::make_shared<Line>(line.isMuteActivated(), line.getMinVolumeValue(), line.getMaxVolumeValue(),
                                  line.getVolumeSliderValue(),
                                  doNotDisturbStateFromCpp(line.getDoNotDisturbState()));
}

LinePtr lineWithoutContactsFromCpp(const CPPLine& line) {
    LinePtr snapshot = lineFromCpp(line);
    snapshot->leaveOutContacts();
    return snapshot;
}
