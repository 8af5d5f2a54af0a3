#pragma once

#include <cstdint>

// Every number the box, the store and the screens share, by name. The values are fixed: the
// box sends them, the database keeps them and the screens switch on them, so a name may be
// added but no value changed. Getters hand these out as int32, so a name compares and
// switches against them directly.
//
// Enumerations name the codes that live only in memory. Codes that the database keeps are
// plain constants: a stored row may hold any int32, and the code carries it unchanged.
//
// Two more sets are enumerations of the line model itself: CPPLine::SIPProxy (registration)
// and CPPLine::CalFWType (call forwarding).

// A party's state (CPPIState::getStateId, CPPLineParty::getState and getStatePre). The box's
// state word names one (CPPStateRegistry). The telephone-line states reuse the ids of their
// VoIP counterparts, so every test of an id treats both kinds of line alike.
namespace StateId {
enum Value : int32_t {
    UNKNOWN = 0,
    IDLE = 1,
    DIAL_TONE = 2,
    DIALING = 3,
    RINGING = 4,
    BUSY = 5,
    ACTIVE = 6,
    HOLD = 7,
    INCOMING = 8,
    CONFERENCE_ACTIVE = 9,
    CONFERENCE_HOLD = 10,
    TRANSFER_HOLD = 11,
    TRANSFER_ACTIVE = 12,
    TRANSFERRING_DIAL_TONE = 13,
    TRANSFERRING_DIALING = 14,
    TRANSFERRING_RINGING = 15,
    TRANSFERRING_BUSY = 16,
    TRANSFERRING_ACTIVE = 17,
    TRANSFERRING_HOLD = 18,
    BLIND_TRANSFER_HOLD = 19,
    BLIND_TRANSFERRING_DIAL_TONE = 20,
    BLIND_TRANSFERRING_DIALING = 21,
    BLIND_TRANSFERRING_RINGING = 22,
    BLIND_TRANSFERRING_BUSY = 23,
    CFW = 24,
    INPROCESS = 25,
    TRANSFERRING_INPROCESS = 26,
    BLIND_TRANSFERRING_INPROCESS = 27,

    TELCO_IDLE = IDLE,
    TELCO_DIAL_TONE = DIAL_TONE,
    TELCO_DIGIT_COLLECTION = DIALING,
    TELCO_CONNECTED = ACTIVE,
    TELCO_INCOMING = INCOMING,
};
} // namespace StateId

// What a party in a state is doing (CPPIState::getCategory, CPPLineParty::getStatus).
namespace StateCategory {
enum Value : int32_t {
    IDLE = 0,
    IN_CALL = 1,
    // Dial tone or dialing.
    COLLECTING_DIGITS = 2,
};
} // namespace StateCategory

// The line as a whole (CPPLine::getLineState): in a call as soon as one party is, else
// collecting digits as soon as one party is.
namespace LineState {
enum Value : int32_t {
    IDLE = 0,
    COLLECTING_DIGITS = 1,
    IN_CALL = 2,
};
} // namespace LineState

// What a record reports (CPPNotificationInfo::getNotificationType).
namespace NotificationType {
enum Value : int32_t {
    // A record no maker has finished; never handed to the listener.
    UNFINISHED = -1,
    // Link status: connecting, connected, login, close and their failures.
    CONNECTION = 0,
    // A message or error of the core itself, such as a failed send.
    SYSTEM_MESSAGE = 1,
    // SIP registration status.
    REGISTRATION = 2,
    // The line's display name or local number, and the forwarding display toggle.
    LINE_NAME = 3,
    // A party's or the telephone line's state.
    PARTY_STATE = 4,
    CALL_FORWARDING = 5,
    CALL_FORWARDING_ERROR = 6,
    // Error information from the box.
    ERROR_INFO = 7,
    // The mute state, or the mute control enabled or disabled.
    MUTE = 8,
    // A volume value, or the volume control enabled or disabled.
    VOLUME = 9,
    // The do-not-disturb mode, or the do-not-disturb control enabled or disabled.
    DO_NOT_DISTURB = 10,
};
} // namespace NotificationType

// Where a record came from (CPPNotificationInfo::getCmdType). Nothing reads it.
namespace CommandType {
enum Value : int32_t {
    // Parsed from a received line, or standing in for one.
    RECEIVED = 1,
    // Made by the core itself.
    CORE = 3,
};
} // namespace CommandType

// The box's endpoint-type codes: the numeric form of an address ("EP 20 1" for "EP UA 1")
// and CPPNotificationInfo::getEndPointType.
namespace EndPointType {
enum Value : int32_t {
    TELCO_RX = 3,
    UA = 20,
};
} // namespace EndPointType

// A profile's kind of phone line (CPPConnectionSettings::getPhoneType). Any other stored
// number is addressed like a telephone line, yet only TELCO lets telephone-line events in.
namespace PhoneType {
constexpr int32_t VOIP = 1;
constexpr int32_t TELCO = 2;
} // namespace PhoneType

// How a profile reaches the box (CPPConnectionSettings::getConnectionType). Commands for
// any other stored number go the serial way.
namespace ConnectionType {
constexpr int32_t TELNET = 1;
constexpr int32_t SERIAL = 2;
} // namespace ConnectionType

// A call log row's kind (CPPCallLog::getCallType, CPPLineParty::getCallType).
namespace CallType {
constexpr int32_t RECEIVED = 0;
constexpr int32_t PLACED = 1;
constexpr int32_t MISSED = 2;
} // namespace CallType

// The do-not-disturb mode: the line's as the box reports it (CPPLine::getDoNotDisturbState)
// and the one the preferences keep for enabling it (CALL_MUTE or CALL_REJECT).
namespace DndMode {
constexpr int32_t NOT_SET = 0;
constexpr int32_t CALL_MUTE = 1;
constexpr int32_t CALL_REJECT = 2;
} // namespace DndMode
