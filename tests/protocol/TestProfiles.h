#pragma once

#include "Logic/profiles/CPPConnectionSettings.h"

// The profiles the protocol tests speak for: VoIP by number (V), V with speaker and
// microphone groups (VG), Telco by number (T) and VoIP addressed by label (L).
inline CPPConnectionSettings voipProfile() {
    CPPConnectionSettings settings;
    settings.setId(1);
    settings.setPhoneType(PhoneType::VOIP);
    settings.setIsEPN(true);
    settings.setTelcoVoIPEPN("1");
    settings.setLabel("Lobby");
    settings.setConnectionType(ConnectionType::SERIAL);
    settings.setUsesSpeakerGroup(false);
    settings.setUsesMicrophoneGroup(false);
    return settings;
}

inline CPPConnectionSettings voipGroupProfile() {
    CPPConnectionSettings settings = voipProfile();
    settings.setUsesSpeakerGroup(true);
    settings.setSpeakerGroupName("Spk");
    settings.setUsesMicrophoneGroup(true);
    settings.setMicrophoneGroupName("Mic");
    return settings;
}

inline CPPConnectionSettings telcoProfile() {
    CPPConnectionSettings settings = voipProfile();
    settings.setPhoneType(PhoneType::TELCO);
    settings.setTelcoVoIPEPN("2");
    return settings;
}

inline CPPConnectionSettings labelProfile() {
    CPPConnectionSettings settings = voipProfile();
    settings.setIsEPN(false);
    settings.setLabel("Room");
    return settings;
}
