#pragma once

// The store the interface's benchmarks run over: 10,000 contacts with two numbers each
// ("2000000" up), every tenth a favorite, call log rows on the first numbers (17 minutes apart,
// newest now), and an auto-connect VoIP profile on a box at 127.0.0.1.
#include "Logic/bridge/CallLog.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/ContactNumber.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Logic/database/CPPBatchScope.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace LargeStore {

constexpr int contactCount = 10000;

// The text of a contact's number (0 or 1).
inline std::string numberOf(int contact, int number) {
    return std::to_string(2000000 + contact * 2 + number);
}

// Fills the store of the open core.
inline void fill(int callLogRows) {
    CPPBatchScope batch;
    for (int index = 0; index < contactCount; ++index) {
        Contact contact;
        contact.setFirstName("First" + std::to_string(index));
        contact.setLastName("Last" + std::to_string(index % 977));
        contact.setCompany("Company " + std::to_string(index % 311));
        contact.setFavorite(index % 10 == 0);
        contact.numbers().clear();
        for (int number = 0; number < 2; ++number) {
            auto entry = std::make_shared<ContactNumber>();
            entry->setNumber(numberOf(index, number));
            entry->setType(number);
            entry->setSpeedDial(-1);
            entry->setDefaultNumber(number == 0);
            contact.numbers().push_back(entry);
        }
        ContactManager::addContact(contact);
    }
    for (int index = 0; index < callLogRows; ++index) {
        const auto when = std::chrono::system_clock::now() - std::chrono::minutes(17 * index);
        CallLog entry(when, index % 600, numberOf(index % contactCount, 0), index % 3, std::string(),
                      std::string(), when);
        CallLogManager::addCallLog(entry);
    }
}

// The profile of the benchmarks' box; auto-connect when asked.
inline ConnectionSettings benchProfile(uint16_t port, bool autoConnect) {
    ConnectionSettings profile;
    profile.setRoomName("Bench Room");
    profile.setIp("127.0.0.1");
    profile.setPort(port);
    profile.setUserName("admin");
    profile.setPassword("s3cret");
    profile.setTelcoVoIPEPN("1");
    profile.setIsEPN(true);
    profile.setPhoneType(PhoneType::VOIP);
    profile.setConnectionType(ConnectionType::TELNET);
    profile.setIsAutoConnect(autoConnect);
    return profile;
}

} // namespace LargeStore
