#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One selected row: column name to its text; NULL reads as "".
using Row = std::map<std::string, std::string>;
using Rows = std::vector<Row>;

// Selected rows as one flat list of texts: the column names once, then each row's texts in
// column order; NULL reads as "". Meant for one statement: later statements' rows are cut or
// padded to the first one's columns. Cheaper than Rows for long listings.
struct RowTable {
    std::vector<std::string> columns;
    std::vector<std::string> cells;

    size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
};

// The process's one SQLite connection. Every statement of the program passes through here as
// text. One mutex covers each call, so an insert and the id it reads stay paired even when the
// device threads write the call log at the same time.
class CPPDatabase {
public:
    // How many recent one-statement texts stay compiled.
    static constexpr size_t CACHED_STATEMENT_LIMIT = 32;

    static CPPDatabase& getInstance();

    // Opens or creates the file. An open connection is closed first; if it refuses to close,
    // the open fails and the old connection stays.
    bool open(const std::string& path);
    bool close();

    // Runs every statement of the text in order; rows, when given, receives their rows
    // appended. False at the first failing statement (earlier ones stay applied).
    bool execute(const std::string& sql, Rows* rows);
    // execute, with the rows appended to a flat table instead.
    bool executeTable(const std::string& sql, RowTable& table);
    // Runs an insert and reads the id of the row it made under the same lock. newId is
    // written only on success.
    bool executeInsert(const std::string& sql, int32_t& newId);
    // Runs an update or delete and reports how many rows it changed, under the same lock.
    bool executeUpdate(const std::string& sql, int32_t& changedRows);

    // The rowid of the latest insert on the connection, cut to 32 bits; 0 with no connection.
    int32_t lastInsertRowId();
    // The latest failure text. It holds whole statements, passwords included: never shown.
    std::string getLastError();

    // Test hook: called with every statement text given to this object, in order, under the
    // lock. The observer must not call back into the database. Empty to remove.
    using StatementObserver = std::function<void(const std::string&)>;
    void setStatementObserver(StatementObserver observer);
    // Test hook: a statement for which it answers true fails as one SQLite refused would, and
    // close fails as a refused close would when it answers true for "close". Called under the
    // lock, after the observer; it must not call back into the database. Empty to remove.
    using StatementRefusal = std::function<bool(const std::string&)>;
    void setStatementRefusal(StatementRefusal refusal);
    // Test hook: how many compiled statements the connection holds right now.
    size_t compiledStatementCount();

private:
    friend class CPPBatchScope;

    CPPDatabase() = default;

    // Takes each row of a stepped statement; null when the caller wants no rows.
    using RowReader = std::function<void(sqlite3_stmt*)>;

    bool executeLocked(const std::string& sql, Rows* rows);
    bool executeLockedInto(const std::string& sql, const RowReader* reader);
    bool runStatement(const std::string& sql, sqlite3_stmt* statement, const RowReader* reader, bool keep);
    void failStatement(const std::string& sql);
    sqlite3_stmt* takeCachedStatement(const std::string& sql);
    void cacheStatement(const std::string& sql, sqlite3_stmt* statement);
    void finalizeCachedStatements();
    bool closeLocked();
    void beginBatch();
    void endBatch();

    std::mutex m_mutex;
    sqlite3* m_handle = nullptr;
    std::string m_lastError;
    StatementObserver m_observer;
    StatementRefusal m_refusal;
    int m_batchDepth = 0;
    bool m_batchOpen = false;
    // Compiled forms of recent one-statement texts, oldest first. The receive path reads the
    // same few statements for every line, and parsing them again cost more than running them.
    struct CachedStatement {
        std::string sql;
        sqlite3_stmt* statement;
    };
    std::vector<CachedStatement> m_cachedStatements;
};
