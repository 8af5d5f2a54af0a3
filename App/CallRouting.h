#pragma once

#include <cstdint>

// The call-routing state the dialer, dial pad, SIP entry, list and active-call screens share
// with the shell, which owns it and lends it to them (sharedCallRouting()). GUI thread only.
class CallRouting {
public:
    // callState: what the dialer screens are doing on behalf of the line.
    static constexpr int64_t Normal = 0;
    // A further call is being dialled from the VoIP active-call screen.
    static constexpr int64_t NewCall = 1;
    // A transfer target is being dialled.
    static constexpr int64_t Transfer = 2;
    // The last call-status record found the line idle.
    static constexpr int64_t Idle = 3;
    // dialToneLineParty when no party holds dial tone for the dialer.
    static constexpr int64_t NoParty = -1;

    int64_t callState() const { return m_callState; }
    void setCallState(int64_t state) { m_callState = state; }
    // The ID (1 to 5) of the party holding dial tone for the call being dialled, or NoParty.
    int64_t dialToneLineParty() const { return m_dialToneLineParty; }
    void setDialToneLineParty(int64_t party) { m_dialToneLineParty = party; }
    // The next party to reach dial tone belongs to a call started from the active-call screen.
    bool newCallFromActiveCall() const { return m_newCallFromActiveCall; }
    void setNewCallFromActiveCall(bool set) { m_newCallFromActiveCall = set; }

private:
    int64_t m_callState = Normal;
    int64_t m_dialToneLineParty = NoParty;
    bool m_newCallFromActiveCall = false;
};
