#pragma once

#include "Logic/call/CPPLine.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "support/CallRecordTables.h"
#include "support/CapturingSerialBridge.h"
#include "support/DatabaseFixture.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Profiles addressed by endpoint number over the serial side, so every sent line is captured.
inline CPPConnectionSettings callTestProfile(int32_t phoneType) {
    CPPConnectionSettings settings;
    settings.setId(1);
    settings.setPhoneType(phoneType);
    settings.setIsEPN(true);
    settings.setTelcoVoIPEPN(phoneType == PhoneType::VOIP ? "1" : "2");
    settings.setConnectionType(ConnectionType::SERIAL);
    return settings;
}

// The real device object with a capturing serial bridge and a VoIP profile, a fake clock, a
// fresh database with the phone book, call log and preferences tables, and a fresh line.
class CallFixture : public DatabaseFixture {
protected:
    static constexpr const char* VOIP = "EP UA 1 ";
    static constexpr const char* TELCO = "EP TELCO_RX 2 ";

    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(createCallRecordTables());
        m_device = DeviceCommunication::getInstance();
        m_device->setSerialBridge(&m_bridge);
        useProfile(PhoneType::VOIP);
        m_line = std::make_unique<CPPLine>();
    }

    void TearDown() override {
        delete m_device;
        DatabaseFixture::TearDown();
    }

    // Switches the current profile; a Telco line also starts from its own idle states.
    void useProfile(int32_t phoneType) {
        m_profile = std::make_shared<const CPPConnectionSettings>(callTestProfile(phoneType));
        m_device->setCurrentConnectionSettings(m_profile);
    }
    void useTelco() {
        useProfile(PhoneType::TELCO);
        m_line->reset(false);
    }
    const CPPConnectionSettings* profile() const { return m_profile.get(); }

    // Lines sent since the last call, without "\r\n".
    std::vector<std::string> takeSent() {
        std::vector<std::string> lines = m_bridge.sentLines();
        m_bridge.clear();
        return lines;
    }
    static std::vector<std::string> prefixed(const std::string& prefix,
                                             const std::vector<std::string>& lines) {
        std::vector<std::string> result;
        for (const std::string& line : lines) {
            result.push_back(prefix + line);
        }
        return result;
    }

    CPPLineParty party(int32_t id) const { return m_line->getLineParties().at(id); }

    // A contact owning one number; returns its id.
    int32_t addContact(const std::string& first, const std::string& last, const std::string& company,
                       const std::string& number) {
        run("insert into Contact(firstName, middleInitial, lastName, company, callFrequency, isFavorite, "
            "isFromPhone) values('" +
            first + "', '', '" + last + "', '" + company + "', 0, 0, 0)");
        const std::string id = scalar("select max(id) from Contact");
        run("insert into ContactNumber(number, speedDial, type, isDefault, contactId) values('" + number +
            "', -1, 0, 1, " + id + ")");
        return std::stoi(id);
    }

    FakeClock m_clock;
    CapturingSerialBridge m_bridge;
    DeviceCommunication* m_device = nullptr;
    std::shared_ptr<const CPPConnectionSettings> m_profile;
    std::unique_ptr<CPPLine> m_line;
};
