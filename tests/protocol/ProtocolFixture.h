#pragma once

#include "Logic/call/CPPLine.h"
#include "Logic/connection/DeviceCommunication.h"
#include "Logic/profiles/CPPConnectionSettings.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/protocol/CommandParser.h"
#include "TestProfiles.h"
#include "support/CallRecordTables.h"
#include "support/CapturingLog.h"
#include "support/CapturingNotificationListener.h"
#include "support/CapturingSerialBridge.h"
#include "support/DatabaseFixture.h"
#include "support/FakeClock.h"

#include <memory>
#include <string>

// The real device object with a capturing listener and serial bridge, a fresh line, a store
// in a temporary folder, a fake clock and captured log lines.
class ProtocolFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(createCallRecordTables());
        ASSERT_TRUE(CPPMuteCommandTable::getInstance().createTable());
        m_device = DeviceCommunication::getInstance();
        m_device->setListener(&m_listener);
        m_device->setSerialBridge(&m_bridge);
        use(voipProfile());
    }

    void TearDown() override {
        delete DeviceCommunication::getInstance();
        DatabaseFixture::TearDown();
    }

    // Makes the profile current and puts the line back to a fresh one of its kind.
    void use(const CPPConnectionSettings& settings) {
        m_settings = std::make_shared<const CPPConnectionSettings>(settings);
        m_device->setCurrentConnectionSettings(m_settings);
        line().reset(settings.getPhoneType() == PhoneType::VOIP);
        line().setDoNotDisturbState(0);
        line().setCallForwardingErrorMessage("");
        m_device->setRedialPending(false);
    }

    // One received line through the processor, as the receive loop hands it over.
    std::unique_ptr<CPPNotificationInfo> process(const std::string& text) {
        return m_parser.processReceivedLine(text, m_settings.get());
    }

    // The record of a processed line, or an empty one (notificationType -1) for none.
    CapturedRecord record(const std::string& text) {
        const std::unique_ptr<CPPNotificationInfo> result = process(text);
        return result ? CapturedRecord::from(*result) : CapturedRecord{};
    }

    static CPPLine& line() { return CPPLine::getInstance(); }

    FakeClock m_clock;
    CapturingLog m_log;
    CapturingNotificationListener m_listener;
    CapturingSerialBridge m_bridge;
    DeviceCommunication* m_device = nullptr;
    std::shared_ptr<const CPPConnectionSettings> m_settings;
    CommandParser m_parser;
};
