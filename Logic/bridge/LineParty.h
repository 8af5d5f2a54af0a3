#pragma once

#include "Logic/bridge/Contact.h"

#include <cstdint>
#include <memory>
#include <string>

// A snapshot of one party of the line, in the interface's state numbering (see
// linePartyStateFromCpp). Never updated by the core; the screens count the two durations
// themselves, and the buttons the party offers are set once when it is made.
class LineParty {
public:
    LineParty(int64_t id, int64_t state, int64_t statePre, int64_t status, const std::string& callParty,
              int64_t activeDuration, int64_t holdDuration, const std::string& displayName,
              ContactPtr contact);

    // 1 to 5.
    int64_t ID() const { return m_id; }
    int64_t state() const { return m_state; }
    int64_t statePre() const { return m_statePre; }
    // 0 idle, 1 in a call, 2 collecting digits.
    int64_t status() const { return m_status; }
    const std::string& callParty() const { return m_callParty; }
    int64_t activeDuration() const { return m_activeDuration; }
    void setActiveDuration(int64_t seconds) { m_activeDuration = seconds; }
    int64_t holdDuration() const { return m_holdDuration; }
    void setHoldDuration(int64_t seconds) { m_holdDuration = seconds; }
    const std::string& displayName() const { return m_displayName; }
    // The phone-book contact of the call partner when the snapshot was made, or null.
    const ContactPtr& contact() const { return m_contact; }

    bool showsHold() const { return m_showsHold; }
    void setShowsHold(bool shows) { m_showsHold = shows; }
    bool showsKeyPad() const { return m_showsKeyPad; }
    void setShowsKeyPad(bool shows) { m_showsKeyPad = shows; }
    bool showsResume() const { return m_showsResume; }
    void setShowsResume(bool shows) { m_showsResume = shows; }
    bool showsTransfer() const { return m_showsTransfer; }
    void setShowsTransfer(bool shows) { m_showsTransfer = shows; }
    bool showsCancelTransfer() const { return m_showsCancelTransfer; }
    void setShowsCancelTransfer(bool shows) { m_showsCancelTransfer = shows; }
    bool showsCompleteTransfer() const { return m_showsCompleteTransfer; }
    void setShowsCompleteTransfer(bool shows) { m_showsCompleteTransfer = shows; }
    bool showsConference() const { return m_showsConference; }
    void setShowsConference(bool shows) { m_showsConference = shows; }
    bool showsNewCall() const { return m_showsNewCall; }
    void setShowsNewCall(bool shows) { m_showsNewCall = shows; }
    bool showsEndCall() const { return m_showsEndCall; }
    void setShowsEndCall(bool shows) { m_showsEndCall = shows; }
    bool showsAnswer() const { return m_showsAnswer; }
    void setShowsAnswer(bool shows) { m_showsAnswer = shows; }
    bool showsReject() const { return m_showsReject; }
    void setShowsReject(bool shows) { m_showsReject = shows; }
    bool showsHookFlash() const { return m_showsHookFlash; }
    void setShowsHookFlash(bool shows) { m_showsHookFlash = shows; }

private:
    int64_t m_id;
    int64_t m_state;
    int64_t m_statePre;
    int64_t m_status;
    std::string m_callParty;
    int64_t m_activeDuration;
    int64_t m_holdDuration;
    std::string m_displayName;
    ContactPtr m_contact;
    bool m_showsHold = false;
    bool m_showsKeyPad = false;
    bool m_showsResume = false;
    bool m_showsTransfer = false;
    bool m_showsCancelTransfer = false;
    bool m_showsCompleteTransfer = false;
    bool m_showsConference = false;
    bool m_showsNewCall = false;
    bool m_showsEndCall = false;
    bool m_showsAnswer = false;
    bool m_showsReject = false;
    bool m_showsHookFlash = false;
};

using LinePartyPtr = std::shared_ptr<LineParty>;
