#pragma once

#include "Logic/call/CPPLineParty.h"
#include "Logic/common/Codes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CPPConnectionSettings;
class CPPIState;
class CPPNotificationInfo;

// The process's model of the box's line: five parties plus registration, call forwarding,
// do-not-disturb, mute and volume as the box last reported them. Everything the box says
// ends here (updates report whether they changed anything); every call-control action
// starts here and is handed to the right party's state.
//
// One mutex covers every public operation. Nothing done under it re-enters the line, calls
// the listener or sends a command: actions and Telco follow-up queries go out after it is
// released. Lock order: device pass mutex -> line -> profile snapshot, database, clock.
class CPPLine {
public:
    enum SIPProxy : int32_t {
        SIP_PROXY_NOT_REPORTED = 0,
        NO_PROXY_DEFINED = 1,
        NOT_REGISTERED = 2,
        REGISTERED_PRIMARY = 3,
        REGISTERED_SECONDARY = 4,
    };
    enum CalFWType : int32_t {
        CFW_NONE = 0,
        CFW_UNCONDITIONAL = 1,
        CFW_BUSY = 2,
        CFW_NO_REPLY = 3,
    };

    static CPPLine& getInstance();

    CPPLine();
    // A consistent snapshot: the source is locked while everything is copied.
    CPPLine(const CPPLine& other);
    CPPLine& operator=(const CPPLine&) = delete;

    // Back to a fresh line at connect and close; the forwarding error message and the
    // do-not-disturb state stay, since the box reports those only when they change.
    void reset(bool isSip);
    std::map<int32_t, CPPLineParty> getLineParties() const;

    // Plain values; getters return copies.
    std::string getDisplayName() const { return read(&Data::displayName); }
    void setDisplayName(const std::string& name) { write(&Data::displayName, name); }
    // A LineState.
    int32_t getLineState() const { return read(&Data::lineState); }
    void setLineState(int32_t lineState) { write(&Data::lineState, lineState); }
    SIPProxy getSipProxyStatus() const { return read(&Data::sipProxyStatus); }
    void setSipProxyStatus(SIPProxy status) { write(&Data::sipProxyStatus, status); }
    CalFWType getCallForwardingType() const { return read(&Data::callForwardingType); }
    std::string getCallForwardingErrorMessage() const { return read(&Data::callForwardingErrorMessage); }
    void setCallForwardingErrorMessage(const std::string& message) {
        write(&Data::callForwardingErrorMessage, message);
    }
    std::string getCallForwardingNumber() const { return read(&Data::callForwardingNumber); }
    void setCallForwardingNumber(const std::string& number) { write(&Data::callForwardingNumber, number); }
    std::string getCallForwardingUserPart() const { return read(&Data::callForwardingUserPart); }
    void setCallForwardingUserPart(const std::string& userPart) {
        write(&Data::callForwardingUserPart, userPart);
    }
    bool isCallForwardingEnabled() const { return read(&Data::callForwardingEnabled); }
    void setCallForwardingEnabled(bool enabled) { write(&Data::callForwardingEnabled, enabled); }
    bool isDoNotDisturbEnabled() const { return read(&Data::doNotDisturbEnabled); }
    void setDoNotDisturbEnabled(bool enabled) { write(&Data::doNotDisturbEnabled, enabled); }
    bool isVolumeEnabled() const { return read(&Data::volumeEnabled); }
    void setVolumeEnabled(bool enabled) { write(&Data::volumeEnabled, enabled); }
    bool isMuteEnabled() const { return read(&Data::muteEnabled); }
    void setMuteEnabled(bool enabled) { write(&Data::muteEnabled, enabled); }
    bool isMuteActivated() const { return read(&Data::muteActivated); }
    void setMuteActivated(bool activated) { write(&Data::muteActivated, activated); }
    float getMinVolumeValue() const { return read(&Data::minVolumeValue); }
    void setMinVolumeValue(float value) { write(&Data::minVolumeValue, value); }
    float getMaxVolumeValue() const { return read(&Data::maxVolumeValue); }
    void setMaxVolumeValue(float value) { write(&Data::maxVolumeValue, value); }
    float getVolumeSliderValue() const { return read(&Data::volumeSliderValue); }
    void setVolumeSliderValue(float value) { write(&Data::volumeSliderValue, value); }
    // A DndMode.
    int32_t getDoNotDisturbState() const { return read(&Data::doNotDisturbState); }
    void setDoNotDisturbState(int32_t state) { write(&Data::doNotDisturbState, state); }

    // Read-modify-write steps of the record makers, each one locked call.
    // Stores the mode when it differs from the stored one; true when it did.
    bool updateDoNotDisturbState(int32_t state);
    // Stores a gain level as the slider's per cent of the min-max range and returns the
    // stored value; an empty range gives 0.
    float updateVolumeSliderFromLevel(float level);

    // Change-reporting updates: true only when something new was stored. The profile given to
    // the party and telephone-line updates is the one the line arrived under (null for none):
    // it decides the idle state a finished call returns to and addresses follow-up queries.
    bool updateDisplayName(const std::string& name);
    bool setSipProxyStatusByName(const std::string& word);
    bool setCallForwardingTypeByName(const std::string& word);
    bool updateParty(int32_t partyId, const std::string& payload, const CPPConnectionSettings* settings);
    bool updateCallForwardingStatus(const std::string& payload);

    // Telephone-line events, all for party 1. Follow-up queries are sent after the lock is
    // released, before these return.
    void onTelcoKeyCall(const std::string& number, const CPPConnectionSettings* settings);
    void onTelcoDigitReleased(const CPPConnectionSettings* settings);
    bool onTelcoRing(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoIncomingCall(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoHook(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoCallDuration(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoCallerId(const std::string& text, const CPPConnectionSettings* settings);
    bool onTelcoHookInquiry(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoOffHookDuration(const std::string& value);
    bool onTelcoDirection(const std::string& value, const CPPConnectionSettings* settings);
    bool onTelcoDigitsDialed(const std::string& value, const CPPConnectionSettings* settings);
    // The periodic poll; it runs under the device's current profile.
    std::unique_ptr<CPPNotificationInfo> checkDigitCollectionTimeout();

    // User actions. settings is the current profile, never null.
    void offHook(const CPPConnectionSettings* settings);
    void dial(const CPPConnectionSettings* settings, const std::string& number);
    void sendDigit(const CPPConnectionSettings* settings, bool pressed, const std::string& digit);
    void conference(int32_t partyId, const CPPConnectionSettings* settings);
    void transfer(int32_t partyId, const CPPConnectionSettings* settings, bool assisted);
    bool reject(int32_t partyId, const CPPConnectionSettings* settings);
    bool cancelTransfer(int32_t partyId, const CPPConnectionSettings* settings);
    bool completeTransfer(int32_t partyId, const CPPConnectionSettings* settings);
    void answer(int32_t partyId, const CPPConnectionSettings* settings);
    void hold(int32_t partyId, const CPPConnectionSettings* settings);
    void resume(int32_t partyId, const CPPConnectionSettings* settings);
    void newCall(int32_t partyId, const CPPConnectionSettings* settings);
    bool endCall(int32_t partyId, const CPPConnectionSettings* settings);
    void hookFlash(const CPPConnectionSettings* settings);
    void holdOtherParties(int32_t partyId, const CPPConnectionSettings* settings);
    // Sends the do-not-disturb key; the stored state follows only the box's report.
    void changeDoNotDisturb(bool enable, const CPPConnectionSettings* settings);

    int32_t firstIdlePartyId() const;
    int32_t firstConferenceHoldPartyId() const;
    // True when at least two calls could be joined.
    bool showsConference() const;

private:
    struct Data {
        std::string displayName;
        std::string callForwardingErrorMessage;
        std::string callForwardingNumber;
        std::string callForwardingUserPart;
        bool callForwardingEnabled = false;
        bool doNotDisturbEnabled = false;
        bool volumeEnabled = false;
        bool muteEnabled = false;
        std::map<int32_t, CPPLineParty> lineParties;
        SIPProxy sipProxyStatus = SIP_PROXY_NOT_REPORTED;
        std::map<std::string, SIPProxy> sipProxyStatusMap;
        CalFWType callForwardingType = CFW_NONE;
        std::map<std::string, CalFWType> callForwardingTypeMap;
        int32_t lineState = LineState::IDLE;
        bool muteActivated = true;
        float minVolumeValue = -65.0f;
        float maxVolumeValue = 20.0f;
        float volumeSliderValue = 0.0f;
        int32_t doNotDisturbState = DndMode::NOT_SET;
    };
    using PartyStates = std::vector<std::pair<int32_t, const CPPIState*>>;

    template <typename T>
    T read(T Data::*field) const {
        std::lock_guard lock(m_mutex);
        return m_data.*field;
    }
    template <typename T, typename V>
    void write(T Data::*field, const V& value) {
        std::lock_guard lock(m_mutex);
        m_data.*field = value;
    }

    Data copyData() const;
    CPPLineParty* findPartyLocked(int32_t partyId);
    const CPPIState* stateOf(int32_t partyId) const;
    PartyStates partyStates() const;
    PartyStates partyStatesLocked() const;
    using PartyAction = void (CPPIState::*)(int32_t, const CPPConnectionSettings*) const;
    static void holdOthers(const PartyStates& states, int32_t partyId, const CPPConnectionSettings* settings);
    void holdOthersThen(int32_t partyId, const CPPConnectionSettings* settings, PartyAction action);
    int32_t firstPartyInStateLocked(int32_t stateId) const;
    bool setCallForwardingTypeByNameLocked(const std::string& word);
    void updateLineStateLocked();
    static void sendAll(const std::vector<std::string>& commands);

    mutable std::mutex m_mutex;
    Data m_data;
};
