#pragma once

#include "Logic/store/CPPCallLog.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPContactNumber.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"
#include "Logic/store/CPPSecuritySettingsTable.h"
#include "support/CallRecordTables.h"
#include "support/DatabaseFixture.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// One text of each record, in list order.
template <typename Record>
std::vector<std::string> textsOf(const std::vector<Record>& records, std::string (Record::*text)() const) {
    std::vector<std::string> texts;
    for (const Record& record : records)
        texts.push_back((record.*text)());
    return texts;
}
inline std::vector<std::string> numbersOf(const std::vector<CPPCallLog>& callLogs) {
    return textsOf(callLogs, &CPPCallLog::getCallNumber);
}
inline std::vector<std::string> firstNamesOf(const std::vector<CPPContact>& contacts) {
    return textsOf(contacts, &CPPContact::getFirstName);
}
inline std::vector<std::string> textsOf(const std::vector<CPPContactNumber>& numbers) {
    return textsOf(numbers, &CPPContactNumber::getNumber);
}

// A fresh database with the store's five tables, as a new file gets them.
class StoreFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(createCallRecordTables());
        ASSERT_TRUE(CPPSecuritySettingsTable::getInstance().createTable());
        clearTrace();
    }

    static CPPContact contact(const std::string& first, const std::string& last = "",
                              const std::string& company = "", bool favorite = false) {
        CPPContact record;
        record.setFirstName(first);
        record.setLastName(last);
        record.setCompany(company);
        record.setIsFavorite(favorite);
        return record;
    }
    static CPPContactNumber number(const std::string& text, bool isDefault = false, int32_t speedDial = -1) {
        CPPContactNumber record;
        record.setNumber(text);
        record.setIsDefault(isDefault);
        record.setSpeedDial(speedDial);
        return record;
    }
    static CPPCallLog callLog(const std::string& number, int32_t type, const std::string& date = "2026/01/05",
                              const std::string& time = "09:30:00") {
        CPPCallLog record;
        record.setCallNumber(number);
        record.setCallType(type);
        record.setCallDate(date);
        record.setStartTime(time);
        return record;
    }

    // Stores a contact with numbers; returns its id.
    int32_t store(CPPContact record, const std::vector<std::string>& numbers = {}) {
        EXPECT_TRUE(CPPContactTable::getInstance().insert(record));
        for (const std::string& text : numbers) {
            CPPContactNumber entry = number(text);
            EXPECT_TRUE(CPPContactNumberTable::getInstance().insert(entry, record.getId()));
        }
        return record.getId();
    }
    void log(CPPCallLog record) { EXPECT_TRUE(CPPCallLogTable::getInstance().insert(record)); }

    // The number of traced statements holding a text.
    size_t traced(const std::string& part) {
        size_t count = 0;
        for (const std::string& statement : trace())
            count += statement.find(part) != std::string::npos ? 1 : 0;
        return count;
    }
};
