#pragma once

#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"

#include <gtest/gtest.h>

// The tables a call reaches as it ends: the phone book to name the caller, the call log, and
// the preferences. Call inside ASSERT_NO_FATAL_FAILURE.
inline void createCallRecordTables() {
    ASSERT_TRUE(CPPContactTable::getInstance().createTable());
    ASSERT_TRUE(CPPContactNumberTable::getInstance().createTable());
    ASSERT_TRUE(CPPCallLogTable::getInstance().createTable());
    ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
}
