#pragma once

#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/database/CPPDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A fresh XDG_DATA_HOME per test, set before anything starts a thread, with a trace of every
// statement and a way to make chosen statements fail. The core is opened through the real
// facade; OpenCoreFixture does it in set-up, tests of the start-up itself call openCore().
class CoreFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens through TessmarkDialerCore::open(); closed again in tear-down.
    void openCore();
    // Closes through the facade, at most once per test.
    bool closeCore();

    std::string dataFolder() const { return m_home.path() + "/TessmarkDialer"; }
    std::string databasePath() const { return dataFolder() + "/TessmarkDialer.sqlite3"; }
    std::string file(const std::string& name) const { return m_home.file(name); }

    void run(const std::string& sql);
    Rows select(const std::string& sql);
    // The first column of the first row, or "".
    std::string scalar(const std::string& sql);
    int count(const std::string& table) { return std::stoi(scalar("select count(*) from " + table)); }

    // Statements given to the database since set-up or clearTrace().
    std::vector<std::string> trace();
    void clearTrace();
    // Traced statements that start with the text.
    std::vector<std::string> traced(const std::string& prefix);
    // Statements (and close, asked as "close") for which refuse answers true fail.
    void refuse(std::function<bool(const std::string&)> refuse);

private:
    TempDir m_home;
    bool m_open = false;
    std::mutex m_traceMutex;
    std::vector<std::string> m_trace;
};

class OpenCoreFixture : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(openCore());
        clearTrace();
    }
};
