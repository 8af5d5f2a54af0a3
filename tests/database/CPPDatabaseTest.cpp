#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPBatchScope.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"
#include "support/DatabaseFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using Database = DatabaseFixture;

TEST_F(Database, RowsAreTextMapsAppendedInOrder) {
    run("create table t(id integer primary key autoincrement, a text, b integer)");
    run("insert into t(a, b) values('x', 1); insert into t(a, b) values(NULL, 2)");

    Rows rows = {Row{{"old", "row"}}};
    ASSERT_TRUE(database().execute("select * from t order by id", &rows));
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0], (Row{{"old", "row"}}));
    EXPECT_EQ(rows[1], (Row{{"id", "1"}, {"a", "x"}, {"b", "1"}}));
    EXPECT_EQ(rows[2], (Row{{"id", "2"}, {"a", ""}, {"b", "2"}}));

    Rows none;
    EXPECT_TRUE(database().execute("select * from t where id = 99", &none));
    EXPECT_TRUE(none.empty());

    Rows repeated;
    ASSERT_TRUE(database().execute("select 1 as a, 2 as a", &repeated));
    EXPECT_EQ(repeated, (Rows{Row{{"a", "2"}}}));

    Rows nulls;
    ASSERT_TRUE(database().execute("select NULL as x", &nulls));
    EXPECT_EQ(nulls, (Rows{Row{{"x", ""}}}));
}

// Long listings read flat; every column must come out as the row maps give it, repeated
// names, NULLs and columns the select lacks included.
TEST_F(Database, FlatTablesReadAsTheRowMapsDo) {
    run("create table t(id integer primary key autoincrement, a text, b integer)");
    run("insert into t(a, b) values('x', 1); insert into t(a, b) values(NULL, 2); insert into t(a) "
        "values('')");
    for (const std::string sql :
         {"select * from t order by id", "select b, 7 as b, a from t order by id desc",
          "select * from t where id = 99", "select NULL as x"}) {
        SCOPED_TRACE(sql);
        Rows rows;
        RowTable table;
        ASSERT_TRUE(database().execute(sql, &rows));
        ASSERT_TRUE(database().executeTable(sql, table));
        ASSERT_EQ(table.rowCount(), rows.size());
        for (const std::string column : {"id", "a", "b", "x", "missing"}) {
            const RowTableColumn flat(table, column);
            for (size_t row = 0; row < rows.size(); ++row) {
                EXPECT_EQ(flat.text(row), columnText(rows[row], column)) << column;
                EXPECT_EQ(flat.integer(row), columnInt(rows[row], column)) << column;
            }
        }
    }
    RowTable refused;
    EXPECT_FALSE(database().executeTable("select * from nowhere", refused));
    EXPECT_EQ(refused.rowCount(), 0U);
}

// Statements before a failing one stay applied; the failure names the whole text.
TEST_F(Database, MultiStatementTextStopsAtTheFirstFailure) {
    run("create table t(v integer)");
    const std::string text = "insert into t values(3); bogus; insert into t values(4)";
    EXPECT_FALSE(database().execute(text, nullptr));
    EXPECT_EQ(scalar("select group_concat(v) from t"), "3");
    EXPECT_EQ(database().getLastError(),
              "Cannot execute: " + text + ", reason: near \"bogus\": syntax error");

    // Rows of the statements before the failing one are kept too.
    Rows rows;
    EXPECT_FALSE(database().execute("select 1 as a; bogus", &rows));
    EXPECT_EQ(rows, (Rows{Row{{"a", "1"}}}));

    EXPECT_FALSE(database().execute("bogus", nullptr));
    EXPECT_EQ(database().getLastError(), "Cannot execute: bogus, reason: near \"bogus\": syntax error");
    // A later success does not clear the latest failure.
    run("select 1");
    EXPECT_EQ(database().getLastError(), "Cannot execute: bogus, reason: near \"bogus\": syntax error");
}

// A statement cut short at an embedded NUL could run something other than what was built.
TEST_F(Database, RefusesStatementsHoldingNul) {
    run("create table t(v text)");
    const std::string withNul = std::string("insert into t values('a'); drop table t;") + '\0' + "x";
    EXPECT_FALSE(database().execute(withNul, nullptr));
    EXPECT_EQ(scalar("select count(*) from t"), "0");
    int32_t id = 77;
    EXPECT_FALSE(database().executeInsert(std::string("insert into t values('a") + '\0' + "b')", id));
    EXPECT_EQ(id, 77);
}

TEST_F(Database, InsertIdsAreCutTo32Bits) {
    run("create table T(id integer primary key autoincrement, a text)");
    run("insert into T(id, a) values(2147483647, 'x')");
    int32_t id = 0;
    ASSERT_TRUE(database().executeInsert("insert into T(a) values('y')", id));
    EXPECT_EQ(id, -2147483647 - 1);
    EXPECT_EQ(database().lastInsertRowId(), -2147483647 - 1);

    int32_t untouched = 5;
    EXPECT_FALSE(database().executeInsert("insert into Missing(a) values('z')", untouched));
    EXPECT_EQ(untouched, 5);
}

TEST_F(Database, UpdatesReportChangedRows) {
    run("create table t(id integer, v text)");
    run("insert into t values(1, 'a'); insert into t values(2, 'b')");
    int32_t changed = -1;
    ASSERT_TRUE(database().executeUpdate("update t set v='c' where id=1", changed));
    EXPECT_EQ(changed, 1);
    ASSERT_TRUE(database().executeUpdate("update t set v='c' where id=9", changed));
    EXPECT_EQ(changed, 0);
    // Rewriting equal values still counts its row.
    ASSERT_TRUE(database().executeUpdate("update t set v='c' where id=1", changed));
    EXPECT_EQ(changed, 1);
}

TEST_F(Database, ClosedConnectionRefusesStatements) {
    ASSERT_TRUE(database().close());
    Rows rows = {Row{{"keep", "me"}}};
    EXPECT_FALSE(database().execute("select 1", &rows));
    EXPECT_EQ(rows.size(), 1U);
    EXPECT_EQ(database().getLastError(), "Cannot execute: select 1, database has not been opened");
    EXPECT_TRUE(database().close());
    EXPECT_EQ(database().lastInsertRowId(), 0);
    ASSERT_TRUE(database().open(databasePath()));
}

TEST_F(Database, FailedOpenHoldsNoConnection) {
    ASSERT_TRUE(database().close());
    EXPECT_FALSE(database().open("/no/such/x.sqlite3"));
    EXPECT_EQ(database().getLastError(),
              "Cannot open database at: /no/such/x.sqlite3, reason: unable to open database file");
    EXPECT_FALSE(database().execute("select 1", nullptr));
    ASSERT_TRUE(database().open(databasePath()));
}

// Opening again must not leak or drop the first connection's data.
TEST_F(Database, ReopeningClosesTheFirstConnection) {
    run("create table t(v integer); insert into t values(1)");
    TempDir other;
    ASSERT_TRUE(database().open(other.file("other.sqlite3")));
    EXPECT_EQ(scalar("select count(*) from sqlite_master where name='t'"), "0");
    ASSERT_TRUE(database().open(databasePath()));
    EXPECT_EQ(scalar("select v from t"), "1");
}

TEST_F(Database, BatchScopeCommitsOnceAtTheOutermostEnd) {
    run("create table t(v integer)");
    clearTrace();
    {
        CPPBatchScope outer;
        database().execute("insert into t values(1)", nullptr);
        {
            CPPBatchScope inner;
            database().execute("insert into Missing values(2)", nullptr);
        }
        database().execute("insert into t values(3)", nullptr);
    }
    EXPECT_EQ(trace(), (std::vector<std::string>{"BEGIN IMMEDIATE", "insert into t values(1)",
                                                 "insert into Missing values(2)", "insert into t values(3)",
                                                 "COMMIT"}));
    EXPECT_EQ(scalar("select group_concat(v) from t"), "1,3");
}

// After SQLite itself rolled the transaction back, a COMMIT would only fail.
TEST_F(Database, BatchScopeSkipsCommitAfterARollback) {
    run("create table t(v integer unique on conflict rollback)");
    run("insert into t values(1)");
    clearTrace();
    {
        CPPBatchScope batch;
        database().execute("insert into t values(2)", nullptr);
        EXPECT_FALSE(database().execute("insert into t values(1)", nullptr));
    }
    EXPECT_EQ(trace().back(), "insert into t values(1)");
    EXPECT_EQ(scalar("select group_concat(v) from t"), "1");
    run("insert into t values(5)");
}

// Statements of a batch reported success; closing the database must not roll them back.
TEST_F(Database, ClosingDuringABatchKeepsItsStatements) {
    run("create table t(v integer)");
    {
        CPPBatchScope batch;
        run("insert into t values(1)");
        ASSERT_TRUE(database().close());
        ASSERT_TRUE(database().open(databasePath()));
        run("insert into t values(2)");
    }
    // The batch was committed at the close; its end has nothing left to commit.
    EXPECT_EQ(trace().back(), "insert into t values(2)");
    EXPECT_EQ(scalar("select group_concat(v) from t"), "1,2");
}

// Another program reading the file makes SQLite refuse the commit and keep the transaction
// open; the batch's statements must still reach the file, at the latest at the close.
TEST_F(Database, RefusedBatchCommitIsKeptForTheClose) {
    run("create table t(v integer)");
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath().c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "begin; select * from t", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        CPPBatchScope batch;
        run("insert into t values(1)");
    }
    EXPECT_EQ(database().getLastError(), "Cannot execute: COMMIT, reason: database is locked");
    sqlite3_close(reader);
    ASSERT_TRUE(database().close());
    ASSERT_TRUE(database().open(databasePath()));
    EXPECT_EQ(scalar("select count(*) from t"), "1");
}

TEST(SqlText, QuotesByDoublingApostrophes) {
    EXPECT_EQ(sqlQuote(""), "''");
    EXPECT_EQ(sqlQuote("Bob's"), "'Bob''s'");
    EXPECT_EQ(sqlQuote("''"), "''''''");
    EXPECT_EQ(sqlQuote("a\"b,c"), "'a\"b,c'");
    EXPECT_TRUE(containsNul(std::string("a\0b", 3)));
    EXPECT_FALSE(containsNul("ab"));
    EXPECT_TRUE(anyContainsNul({"x", std::string_view("\0", 1)}));
    EXPECT_FALSE(anyContainsNul({"x", "y"}));
}

TEST_F(Database, QuotedTextsRoundTripLiterally) {
    run("create table t(v text)");
    for (const std::string text : {"x'); drop table t; --", "O'Brien", "\"quoted\", comma", "Émile ✓", "'"}) {
        run("delete from t");
        run("insert into t values(" + sqlQuote(text) + ")");
        EXPECT_EQ(scalar("select v from t"), text);
    }
}

// Repeated statements run from their compiled form; they must still see new rows and schema
// changes, fail with SQLite's own text, and never keep the connection from closing.
TEST_F(Database, RepeatedStatementsFollowDataAndSchemaChanges) {
    run("create table t(v integer)");
    const std::string count = "select count(*) as n from t";
    EXPECT_EQ(scalar(count), "0");
    run("insert into t values(1)");
    EXPECT_EQ(scalar(count), "1");
    run("alter table t add w text");
    EXPECT_EQ(select("select * from t"), (Rows{Row{{"v", "1"}, {"w", ""}}}));
    run("drop table t");
    EXPECT_FALSE(database().execute(count, nullptr));
    EXPECT_EQ(database().getLastError(), "Cannot execute: " + count + ", reason: no such table: t");
    // More texts than are kept compiled: the oldest make room, and every text still runs.
    for (int round = 0; round < 2; ++round) {
        for (int value = 0; value < 40; ++value)
            EXPECT_EQ(scalar("select " + std::to_string(value)), std::to_string(value));
    }
    EXPECT_TRUE(database().close());
    ASSERT_TRUE(database().open(databasePath()));
}

// Each distinct text compiled is kept until it is evicted: without the bound, a session of
// searches and edits would hold every statement it ever ran.
TEST_F(Database, KeepsAtMostTheLimitOfCompiledStatements) {
    const size_t limit = CPPDatabase::CACHED_STATEMENT_LIMIT;
    for (size_t value = 0; value < 3 * limit; ++value) {
        EXPECT_EQ(scalar("select " + std::to_string(value)), std::to_string(value));
        ASSERT_LE(database().compiledStatementCount(), limit) << "after " << value + 1 << " texts";
    }
    EXPECT_EQ(database().compiledStatementCount(), limit);
    EXPECT_TRUE(database().close());
    EXPECT_EQ(database().compiledStatementCount(), 0u);
}

} // namespace
