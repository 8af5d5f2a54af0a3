#include "support/CoreFixture.h"

#include <cstdlib>

void CoreFixture::SetUp() {
    setenv("XDG_DATA_HOME", m_home.path().c_str(), 1);
    CPPDatabase::getInstance().setStatementObserver([this](const std::string& sql) {
        std::lock_guard lock(m_traceMutex);
        m_trace.push_back(sql);
    });
}

void CoreFixture::TearDown() {
    CPPDatabase::getInstance().setStatementRefusal(nullptr);
    if (m_open) {
        EXPECT_TRUE(closeCore());
    }
    CPPDatabase::getInstance().setStatementObserver(nullptr);
    unsetenv("XDG_DATA_HOME");
}

void CoreFixture::openCore() {
    ASSERT_TRUE(TessmarkDialerCore::open());
    m_open = true;
}

bool CoreFixture::closeCore() {
    m_open = false;
    return TessmarkDialerCore::close();
}

void CoreFixture::run(const std::string& sql) {
    ASSERT_TRUE(CPPDatabase::getInstance().execute(sql, nullptr))
        << CPPDatabase::getInstance().getLastError();
}

Rows CoreFixture::select(const std::string& sql) {
    Rows rows;
    EXPECT_TRUE(CPPDatabase::getInstance().execute(sql, &rows)) << CPPDatabase::getInstance().getLastError();
    return rows;
}

std::string CoreFixture::scalar(const std::string& sql) {
    Rows rows;
    if (!CPPDatabase::getInstance().execute(sql, &rows) || rows.empty() || rows.front().empty())
        return "";
    return rows.front().begin()->second;
}

std::vector<std::string> CoreFixture::trace() {
    std::lock_guard lock(m_traceMutex);
    return m_trace;
}

void CoreFixture::clearTrace() {
    std::lock_guard lock(m_traceMutex);
    m_trace.clear();
}

std::vector<std::string> CoreFixture::traced(const std::string& prefix) {
    std::vector<std::string> matching;
    for (const std::string& sql : trace()) {
        if (sql.rfind(prefix, 0) == 0)
            matching.push_back(sql);
    }
    return matching;
}

void CoreFixture::refuse(std::function<bool(const std::string&)> refuse) {
    CPPDatabase::getInstance().setStatementRefusal(std::move(refuse));
}
