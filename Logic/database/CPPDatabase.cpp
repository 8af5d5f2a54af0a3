#include "Logic/database/CPPDatabase.h"

#include <sqlite3.h>

namespace {

constexpr int openFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

int rowCallback(void* context, int columnCount, char** values, char** columnNames) {
    Row row;
    for (int column = 0; column < columnCount; ++column)
        row[columnNames[column]] = values[column] != nullptr ? values[column] : "";
    static_cast<Rows*>(context)->push_back(std::move(row));
    return 0;
}

} // namespace

CPPDatabase& CPPDatabase::getInstance() {
    static CPPDatabase* const instance = new CPPDatabase;
    return *instance;
}

bool CPPDatabase::open(const std::string& path) {
    std::lock_guard lock(m_mutex);
    if (m_handle != nullptr && !closeLocked())
        return false;
    const int result = sqlite3_open_v2(path.c_str(), &m_handle, openFlags, nullptr);
    if (result == SQLITE_OK)
        return true;
    m_lastError = "Cannot open database at: " + path + ", reason: " + sqlite3_errmsg(m_handle);
    sqlite3_close(m_handle);
    m_handle = nullptr;
    return false;
}

bool CPPDatabase::close() {
    std::lock_guard lock(m_mutex);
    return closeLocked();
}

bool CPPDatabase::closeLocked() {
    // Statements of an open batch already reported success: keep them rather than let the
    // close roll them back. The batch's own end then has nothing left to commit.
    if (m_batchOpen && m_handle != nullptr && sqlite3_get_autocommit(m_handle) == 0)
        executeLocked("COMMIT", nullptr);
    m_batchOpen = false;
    if (sqlite3_close(m_handle) != SQLITE_OK) {
        m_lastError = "Cannot close database, some statement is being executed";
        return false;
    }
    m_handle = nullptr;
    return true;
}

bool CPPDatabase::execute(const std::string& sql, Rows* rows) {
    std::lock_guard lock(m_mutex);
    return executeLocked(sql, rows);
}

bool CPPDatabase::executeInsert(const std::string& sql, int32_t& newId) {
    std::lock_guard lock(m_mutex);
    if (!executeLocked(sql, nullptr))
        return false;
    newId = static_cast<int32_t>(static_cast<uint32_t>(sqlite3_last_insert_rowid(m_handle)));
    return true;
}

bool CPPDatabase::executeUpdate(const std::string& sql, int32_t& changedRows) {
    std::lock_guard lock(m_mutex);
    if (!executeLocked(sql, nullptr))
        return false;
    changedRows = sqlite3_changes(m_handle);
    return true;
}

bool CPPDatabase::executeLocked(const std::string& sql, Rows* rows) {
    if (m_observer)
        m_observer(sql);
    if (m_handle == nullptr) {
        m_lastError = "Cannot execute: " + sql + ", database has not been opened";
        return false;
    }
    // SQLite reads the text up to its first NUL; a shortened statement must never run.
    if (sql.find('\0') != std::string::npos) {
        m_lastError = "Cannot execute: " + sql + ", reason: the statement holds a NUL character";
        return false;
    }
    char* message = nullptr;
    const int result =
        sqlite3_exec(m_handle, sql.c_str(), rows != nullptr ? rowCallback : nullptr, rows, &message);
    if (result != SQLITE_OK) {
        m_lastError = "Cannot execute: " + sql +
                      ", reason: " + (message != nullptr ? message : sqlite3_errmsg(m_handle));
        sqlite3_free(message);
        return false;
    }
    sqlite3_free(message);
    return true;
}

int32_t CPPDatabase::lastInsertRowId() {
    std::lock_guard lock(m_mutex);
    if (m_handle == nullptr)
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(sqlite3_last_insert_rowid(m_handle)));
}

std::string CPPDatabase::getLastError() {
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

void CPPDatabase::setStatementObserver(StatementObserver observer) {
    std::lock_guard lock(m_mutex);
    m_observer = std::move(observer);
}

void CPPDatabase::beginBatch() {
    std::lock_guard lock(m_mutex);
    if (m_batchDepth++ == 0 && m_handle != nullptr)
        m_batchOpen = executeLocked("BEGIN IMMEDIATE", nullptr);
}

void CPPDatabase::endBatch() {
    std::lock_guard lock(m_mutex);
    if (--m_batchDepth != 0 || !m_batchOpen)
        return;
    m_batchOpen = false;
    // A failed statement may have made SQLite roll the transaction back already.
    if (m_handle != nullptr && sqlite3_get_autocommit(m_handle) == 0)
        executeLocked("COMMIT", nullptr);
}
