#pragma once

#include "Logic/database/CPPDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

// A fresh database file in a fresh folder per test, opened in set-up and closed in tear-down,
// with a statement trace that records every text given to the database.
class DatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CPPDatabase& database() { return CPPDatabase::getInstance(); }
    std::string databasePath() const { return m_folder.file("test.sqlite3"); }

    // Runs SQL that the test itself needs; fails the test when it does not run.
    void run(const std::string& sql);
    Rows select(const std::string& sql);
    // The value of a one-column select's first row, or "" when there is none.
    std::string scalar(const std::string& sql);

    // Statements traced since set-up or the last clearTrace().
    std::vector<std::string> trace();
    void clearTrace();

private:
    TempDir m_folder;
    std::mutex m_traceMutex;
    std::vector<std::string> m_trace;
};
