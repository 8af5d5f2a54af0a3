#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

class CPPConnectionSettings;
class CPPContact;
class CPPIState;
class CPPNotificationInfo;

// One call appearance of the box's line (parties 1 to 5 on VoIP, party 1 on Telco). A state
// change is the only thing with consequences of its own: it stamps the call's times, decides
// its call-log type, writes the call-log row when the call ends and resets the party.
// Not thread-safe by itself: the line model touches parties only under its lock.
class CPPLineParty {
public:
    explicit CPPLineParty(int32_t id);

    // Back to a fresh call: both states idle (VoIP or Telco), no remote, no contact, a placed
    // call type, every time stamp now.
    void reset(bool isSip);

    int32_t getID() const { return m_id; }
    // StateIds of the current and the previous state.
    int32_t getState() const;
    int32_t getStatePre() const;
    std::string getCallParty() const { return m_callParty; }
    std::string getDisplayName() const { return m_displayName; }
    void setDisplayName(const std::string& name) { m_displayName = name; }
    int32_t getActiveDuration() const { return m_activeDuration; }
    void setActiveDuration(int32_t seconds) { m_activeDuration = seconds; }
    int32_t getHoldDuration() const { return m_holdDuration; }
    void setHoldDuration(int32_t seconds) { m_holdDuration = seconds; }
    int32_t getDirection() const { return m_direction; }
    void setDirection(int32_t direction) { m_direction = direction; }
    // Shared, so a copy's contact stays valid after the live party drops or replaces it.
    std::shared_ptr<const CPPContact> getContact() const { return m_contact; }
    void setContact(std::shared_ptr<const CPPContact> contact) { m_contact = std::move(contact); }
    std::time_t getStartTime() const { return m_startTime; }
    std::time_t getEndTime() const { return m_endTime; }
    // A CallType.
    int32_t getCallType() const { return m_callType; }
    // The StateCategory of the current state.
    int32_t getStatus() const { return m_status; }
    void setStatus(int32_t status) { m_status = status; }
    const CPPIState* getCurrentState() const { return m_state; }
    void setCurrentState(const CPPIState* state) { m_state = state; }
    void updateStatus();

    // The profile given to the operations below is the one the event arrived under (null for
    // none): a call that ends returns to its idle state (Telco unless VoIP or none), and the
    // Telco follow-up queries are addressed with it (none without a profile).

    // A state word from the box; true when the state changed.
    bool setState(const std::string& name, const CPPConnectionSettings* settings);
    // Stores the remote number and looks up its phone-book contact (none found: no contact).
    void setCallParty(const std::string& number);

    // Telephone-line events, for party 1 only. The handlers that answer with a query append
    // that command to followUps; the line sends them once it has released its lock.
    bool onRing(const std::string& value, const CPPConnectionSettings* settings);
    bool onDigitReleased(const CPPConnectionSettings* settings);
    void onKeyCall(const std::string& number, const CPPConnectionSettings* settings);
    void onHook(const std::string& value, const CPPConnectionSettings* settings);
    void onIncomingCall(const std::string& value, const CPPConnectionSettings* settings);
    void onCallDuration(const std::string& value, const CPPConnectionSettings* settings,
                        std::vector<std::string>& followUps);
    void onCallerId(const std::string& number, const std::string& name, const CPPConnectionSettings* settings,
                    std::vector<std::string>& followUps);
    void onHookInquiry(const std::string& value, const CPPConnectionSettings* settings,
                       std::vector<std::string>& followUps);
    void onOffHookDuration(const std::string& value);
    void onDirection(const std::string& value, const CPPConnectionSettings* settings,
                     std::vector<std::string>& followUps);
    void onDigitsDialed(const std::string& value, const CPPConnectionSettings* settings);
    // Ends digit collection 20 seconds after the last digit; the record reads like a digit
    // event to the interface. Null when nothing happened.
    std::unique_ptr<CPPNotificationInfo> checkDigitCollectionTimeout(const CPPConnectionSettings* settings);

    // Hand the action to the current state with this party's id.
    bool offHook(const CPPConnectionSettings* settings) const;
    bool dial(const CPPConnectionSettings* settings, const std::string& number) const;
    bool sendDigit(const CPPConnectionSettings* settings, bool pressed, const std::string& digit) const;
    void conference(const CPPConnectionSettings* settings, int32_t otherPartyId) const;
    void transfer(const CPPConnectionSettings* settings) const;
    void blindTransfer(const CPPConnectionSettings* settings) const;
    bool reject(const CPPConnectionSettings* settings) const;
    bool cancelTransfer(const CPPConnectionSettings* settings) const;
    bool completeTransfer(const CPPConnectionSettings* settings) const;
    void answer(const CPPConnectionSettings* settings) const;
    void hold(const CPPConnectionSettings* settings) const;
    void resume(const CPPConnectionSettings* settings) const;
    // The state gets the free party's id, not this party's.
    void newCall(const CPPConnectionSettings* settings, int32_t freePartyId) const;
    bool endCall(const CPPConnectionSettings* settings) const;
    void hookFlash(const CPPConnectionSettings* settings) const;

    bool showsHold() const;
    bool showsKeyPad() const;
    bool showsResume() const;
    bool showsTransfer() const;
    bool showsConference() const;
    bool showsEndCall() const;
    bool showsNewCall() const;
    bool showsReject() const;
    bool showsCancelTransfer() const;
    bool showsCompleteTransfer() const;
    bool showsAnswer() const;
    bool showsHookFlash() const;

private:
    // statePre = state, state = next, bookkeeping, status.
    void changeTo(const CPPIState* next, const CPPConnectionSettings* settings);
    void onStateChanged(const CPPConnectionSettings* settings);
    void writeCallLog() const;

    int32_t m_id;
    std::string m_callParty;
    std::string m_displayName;
    int32_t m_direction = 0;
    int32_t m_activeDuration = 0;
    int32_t m_holdDuration = 0;
    std::shared_ptr<const CPPContact> m_contact;
    std::time_t m_startTime;
    std::time_t m_endTime;
    int32_t m_callType = CallType::PLACED;
    std::time_t m_lastDigitTime;
    int32_t m_status = StateCategory::IDLE;
    const CPPIState* m_state;
    const CPPIState* m_statePre;
};
