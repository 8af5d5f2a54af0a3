#include "Logic/database/CPPDatabase.h"

#include <sqlite3.h>

namespace {

constexpr int openFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

// A row as text, column by column; a repeated column name keeps the later value.
Row readRow(sqlite3_stmt* statement) {
    Row row;
    const int columnCount = sqlite3_column_count(statement);
    for (int column = 0; column < columnCount; ++column) {
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        row[sqlite3_column_name(statement, column)] = value != nullptr ? value : "";
    }
    return row;
}

void readRowInto(sqlite3_stmt* statement, RowTable& table) {
    const int columnCount = sqlite3_column_count(statement);
    if (table.columns.empty()) {
        for (int column = 0; column < columnCount; ++column)
            table.columns.emplace_back(sqlite3_column_name(statement, column));
    }
    for (int column = 0; column < static_cast<int>(table.columns.size()); ++column) {
        const auto* value = column < columnCount
                                ? reinterpret_cast<const char*>(sqlite3_column_text(statement, column))
                                : nullptr;
        table.cells.emplace_back(value != nullptr ? value : "");
    }
}

bool onlyBlanks(const char* text) {
    for (; *text != '\0'; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r')
            return false;
    }
    return true;
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
    if (m_refusal && m_refusal("close")) {
        m_lastError = "Cannot close database, some statement is being executed";
        return false;
    }
    // Statements of an open batch already reported success: keep them rather than let the
    // close roll them back. The batch's own end then has nothing left to commit.
    if (m_batchOpen && m_handle != nullptr && sqlite3_get_autocommit(m_handle) == 0)
        executeLocked("COMMIT", nullptr);
    m_batchOpen = false;
    finalizeCachedStatements();
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

bool CPPDatabase::executeTable(const std::string& sql, RowTable& table) {
    const RowReader reader = [&table](sqlite3_stmt* statement) { readRowInto(statement, table); };
    std::lock_guard lock(m_mutex);
    return executeLockedInto(sql, &reader);
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
    if (rows == nullptr)
        return executeLockedInto(sql, nullptr);
    const RowReader reader = [rows](sqlite3_stmt* statement) { rows->push_back(readRow(statement)); };
    return executeLockedInto(sql, &reader);
}

bool CPPDatabase::executeLockedInto(const std::string& sql, const RowReader* reader) {
    if (m_observer)
        m_observer(sql);
    if (m_refusal && m_refusal(sql)) {
        m_lastError = "Cannot execute: " + sql + ", reason: refused by the test hook";
        return false;
    }
    if (m_handle == nullptr) {
        m_lastError = "Cannot execute: " + sql + ", database has not been opened";
        return false;
    }
    // SQLite reads the text up to its first NUL; a shortened statement must never run.
    if (sql.find('\0') != std::string::npos) {
        m_lastError = "Cannot execute: " + sql + ", reason: the statement holds a NUL character";
        return false;
    }
    if (sqlite3_stmt* cached = takeCachedStatement(sql))
        return runStatement(sql, cached, reader, true);
    // Statement by statement, as sqlite3_exec runs them: the first failure ends the text and
    // the statements before it stay applied.
    const char* text = sql.c_str();
    while (*text != '\0') {
        sqlite3_stmt* statement = nullptr;
        const char* next = nullptr;
        if (sqlite3_prepare_v2(m_handle, text, -1, &statement, &next) != SQLITE_OK) {
            failStatement(sql);
            return false;
        }
        // Blanks or a comment compile to nothing.
        if (statement == nullptr) {
            text = next;
            continue;
        }
        const bool wholeText = text == sql.c_str() && onlyBlanks(next);
        if (!runStatement(sql, statement, reader, wholeText))
            return false;
        text = next;
    }
    return true;
}

bool CPPDatabase::runStatement(const std::string& sql, sqlite3_stmt* statement, const RowReader* reader,
                               bool keep) {
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        if (reader != nullptr)
            (*reader)(statement);
    }
    if (result != SQLITE_DONE) {
        failStatement(sql);
        sqlite3_finalize(statement);
        return false;
    }
    sqlite3_reset(statement);
    if (keep)
        cacheStatement(sql, statement);
    else
        sqlite3_finalize(statement);
    return true;
}

void CPPDatabase::failStatement(const std::string& sql) {
    m_lastError = "Cannot execute: " + sql + ", reason: " + sqlite3_errmsg(m_handle);
}

sqlite3_stmt* CPPDatabase::takeCachedStatement(const std::string& sql) {
    for (auto entry = m_cachedStatements.rbegin(); entry != m_cachedStatements.rend(); ++entry) {
        if (entry->sql == sql) {
            sqlite3_stmt* statement = entry->statement;
            m_cachedStatements.erase(std::next(entry).base());
            return statement;
        }
    }
    return nullptr;
}

void CPPDatabase::cacheStatement(const std::string& sql, sqlite3_stmt* statement) {
    if (m_cachedStatements.size() >= CACHED_STATEMENT_LIMIT) {
        sqlite3_finalize(m_cachedStatements.front().statement);
        m_cachedStatements.erase(m_cachedStatements.begin());
    }
    m_cachedStatements.push_back({sql, statement});
}

size_t CPPDatabase::compiledStatementCount() {
    std::lock_guard lock(m_mutex);
    size_t count = 0;
    for (sqlite3_stmt* statement = nullptr; m_handle != nullptr;) {
        statement = sqlite3_next_stmt(m_handle, statement);
        if (statement == nullptr)
            break;
        ++count;
    }
    return count;
}

void CPPDatabase::finalizeCachedStatements() {
    for (const CachedStatement& entry : m_cachedStatements)
        sqlite3_finalize(entry.statement);
    m_cachedStatements.clear();
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

void CPPDatabase::setStatementRefusal(StatementRefusal refusal) {
    std::lock_guard lock(m_mutex);
    m_refusal = std::move(refusal);
}

void CPPDatabase::beginBatch() {
    std::lock_guard lock(m_mutex);
    // A transaction whose commit was refused is still open; the new batch continues it.
    if (m_batchDepth++ == 0 && m_handle != nullptr && !m_batchOpen)
        m_batchOpen = executeLocked("BEGIN IMMEDIATE", nullptr);
}

void CPPDatabase::endBatch() {
    std::lock_guard lock(m_mutex);
    if (--m_batchDepth != 0 || !m_batchOpen)
        return;
    // A failed statement may have made SQLite roll the transaction back already.
    if (m_handle != nullptr && sqlite3_get_autocommit(m_handle) == 0)
        executeLocked("COMMIT", nullptr);
    // Another process reading the file makes SQLite refuse the commit and keep the transaction
    // open. It stays marked, so the next batch or the close commits it instead of dropping it.
    m_batchOpen = m_handle != nullptr && sqlite3_get_autocommit(m_handle) == 0;
}
