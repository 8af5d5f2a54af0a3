#include "support/DatabaseFixture.h"

void DatabaseFixture::SetUp() {
    ASSERT_TRUE(database().open(databasePath())) << database().getLastError();
    database().setStatementObserver([this](const std::string& sql) {
        std::lock_guard lock(m_traceMutex);
        m_trace.push_back(sql);
    });
}

void DatabaseFixture::TearDown() {
    database().setStatementObserver(nullptr);
    EXPECT_TRUE(database().close());
}

void DatabaseFixture::run(const std::string& sql) {
    ASSERT_TRUE(database().execute(sql, nullptr)) << database().getLastError();
}

Rows DatabaseFixture::select(const std::string& sql) {
    Rows rows;
    EXPECT_TRUE(database().execute(sql, &rows)) << database().getLastError();
    return rows;
}

std::string DatabaseFixture::scalar(const std::string& sql) {
    Rows rows;
    if (!database().execute(sql, &rows) || rows.empty() || rows.front().empty())
        return "";
    return rows.front().begin()->second;
}

std::vector<std::string> DatabaseFixture::trace() {
    std::lock_guard lock(m_traceMutex);
    return m_trace;
}

void DatabaseFixture::clearTrace() {
    std::lock_guard lock(m_traceMutex);
    m_trace.clear();
}
