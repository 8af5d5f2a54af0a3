#pragma once

#include "Logic/bridge/LineParty.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The interface's view of the line. Registration, forwarding, the parties, the line state and
// the conference button are read from the live line on every call (each read one consistent
// look at it); mute, the volume values and do-not-disturb keep what the line held when this
// object was made. Read lineParties() once per handler: every read builds new snapshots.
class Line {
public:
    // Kept values 0, false.
    Line() = default;
    // Only the kept values: everything else is read from the live line.
    Line(bool isMuteActivated, float minVolumeValue, float maxVolumeValue, float volumeSliderValue,
         int64_t doNotDisturbState);

    // One process-wide object made with the plain constructor; its live values are live too.
    static const std::shared_ptr<Line>& sharedInstance();

    // 0 not yet known, 1 no proxy defined, 2 not registered, 3 registered with the primary
    // proxy, 4 with the secondary one.
    int64_t sipProxyStatus() const;
    // 0 off, 1 all calls, 2 on no answer, 3 on busy.
    int64_t callForwardingType() const;
    std::string callForwardingErrorMessage() const;
    std::string callForwardingNumber() const;
    // The five parties by ID, idle ones too.
    std::vector<LinePartyPtr> lineParties() const;
    // From now on lineParties() leaves the contacts out, and so reads no store.
    void leaveOutContacts() { m_withContacts = false; }
    // 0 idle, 1 off hook, 2 in a call.
    int64_t lineState() const;
    bool showsConference() const;

    bool isMuteActivated() const { return m_isMuteActivated; }
    float minVolumeValue() const { return m_minVolumeValue; }
    float maxVolumeValue() const { return m_maxVolumeValue; }
    float volumeSliderValue() const { return m_volumeSliderValue; }
    // 0 not set, 1 call mute, 2 call reject.
    int64_t doNotDisturbState() const { return m_doNotDisturbState; }

private:
    // Whether lineParties() converts the parties' contacts (leaveOutContacts).
    bool m_withContacts = true;
    bool m_isMuteActivated = false;
    float m_minVolumeValue = 0;
    float m_maxVolumeValue = 0;
    float m_volumeSliderValue = 0;
    int64_t m_doNotDisturbState = 0;
};

using LinePtr = std::shared_ptr<Line>;
