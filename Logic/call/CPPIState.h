#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>
#include <string>

class CPPConnectionSettings;

// One party state. A single immutable instance of each state serves every party in it, so an
// action depends only on its arguments. Actions send key commands and never change a party's
// state: the new state comes back in the box's notifications. This base class itself is the
// "UNKNOWN" state: every action does nothing and every button is hidden.
class CPPIState {
public:
    CPPIState() = default;
    virtual ~CPPIState() = default;
    CPPIState(const CPPIState&) = delete;
    CPPIState& operator=(const CPPIState&) = delete;

    virtual bool offHook(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual bool dial(int32_t partyId, const CPPConnectionSettings* settings,
                      const std::string& number) const;
    virtual bool sendDigit(int32_t partyId, const CPPConnectionSettings* settings, bool pressed,
                           const std::string& digit) const;
    virtual void conference(int32_t partyId, const CPPConnectionSettings* settings,
                            int32_t otherPartyId) const;
    virtual void transfer(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual void blindTransfer(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual bool reject(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual bool completeTransfer(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual void answer(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual void hold(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual void resume(int32_t partyId, const CPPConnectionSettings* settings) const;
    // The first argument is the idle party that is to take the new call, not the acting party.
    virtual void newCall(int32_t freePartyId, const CPPConnectionSettings* settings) const;
    virtual bool endCall(int32_t partyId, const CPPConnectionSettings* settings) const;
    virtual void hookFlash(int32_t partyId, const CPPConnectionSettings* settings) const;

    // A StateId.
    virtual int32_t getStateId() const { return m_stateId; }
    // A StateCategory.
    virtual int32_t getCategory() const { return m_category; }

    // The party's buttons; independent of which actions the state takes.
    virtual bool showsHold() const { return false; }
    virtual bool showsKeyPad() const { return false; }
    virtual bool showsResume() const { return false; }
    virtual bool showsTransfer() const { return false; }
    virtual bool showsConference() const { return false; }
    virtual bool showsEndCall() const { return false; }
    virtual bool showsNewCall() const { return false; }
    virtual bool showsReject() const { return false; }
    virtual bool showsCancelTransfer() const { return false; }
    virtual bool showsCompleteTransfer() const { return false; }
    virtual bool showsAnswer() const { return false; }
    virtual bool showsHookFlash() const { return false; }

protected:
    CPPIState(int32_t stateId, int32_t category) : m_stateId(stateId), m_category(category) {}

    // Key presses the concrete states are made of. Each sends one line (the conference keys
    // two) through the device communication object; the send result is not looked at.
    static void pressPartyKey(int32_t partyId, const CPPConnectionSettings* settings);
    static void pressDigit(const std::string& digit, bool pressed, const CPPConnectionSettings* settings);
    static void pressConference(int32_t partyId, const CPPConnectionSettings* settings);
    // The party id is not part of the hook and call lines.
    static void pressHook(int32_t partyId, const CPPConnectionSettings* settings, int32_t value);
    static void pressCall(int32_t partyId, const CPPConnectionSettings* settings, const std::string& number);
    static void send(const std::string& line);

private:
    const int32_t m_stateId = StateId::UNKNOWN;
    const int32_t m_category = StateCategory::IDLE;
};
