#pragma once

#include "Logic/database/CPPDatabase.h"

// Groups the statements run while it lives into one transaction, so bulk writes cost one
// commit. The outermost scope begins and always commits, failed statements or not; nested
// scopes only count. Statements of other threads join the transaction while it is open.
class CPPBatchScope {
public:
    explicit CPPBatchScope(CPPDatabase& database = CPPDatabase::getInstance()) : m_database(database) {
        m_database.beginBatch();
    }
    ~CPPBatchScope() { m_database.endBatch(); }

    CPPBatchScope(const CPPBatchScope&) = delete;
    CPPBatchScope& operator=(const CPPBatchScope&) = delete;

private:
    CPPDatabase& m_database;
};
