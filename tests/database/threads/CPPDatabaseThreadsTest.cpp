#include "Logic/database/CPPDatabase.h"
#include "support/DatabaseFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using DatabaseThreads = DatabaseFixture;

// The call log is written from a device thread while the interface inserts contacts: each
// insert must get the id of its own row, never the other thread's.
TEST_F(DatabaseThreads, ConcurrentInsertsGetTheirOwnIds) {
    database().setStatementObserver(nullptr);
    run("create table A(id integer primary key autoincrement, payload text)");
    run("create table B(id integer primary key autoincrement, payload text)");
    // Ids of the two tables never coincide, so an id read from the other thread's insert
    // cannot pass for a right one.
    run("insert into B(id, payload) values(1000000, 'first id of B')");
    run("pragma synchronous = off");

    constexpr int count = 500;
    auto insertAll = [this](const std::string& table, std::vector<int32_t>& ids) {
        for (int i = 0; i < count; ++i) {
            int32_t id = -1;
            ASSERT_TRUE(database().executeInsert(
                "insert into " + table + "(payload) values('" + table + std::to_string(i) + "')", id));
            ids.push_back(id);
        }
    };
    std::vector<int32_t> idsA;
    std::vector<int32_t> idsB;
    std::thread first(insertAll, "A", std::ref(idsA));
    std::thread second(insertAll, "B", std::ref(idsB));
    first.join();
    second.join();

    for (const auto& [table, ids] :
         {std::pair{std::string("A"), &idsA}, std::pair{std::string("B"), &idsB}}) {
        ASSERT_EQ(ids->size(), static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            Rows rows;
            ASSERT_TRUE(database().execute(
                "select payload from " + table + " where id = " + std::to_string((*ids)[i]), &rows));
            ASSERT_EQ(rows.size(), 1U);
            EXPECT_EQ(rows[0]["payload"], table + std::to_string(i));
        }
    }
}

// At shutdown the core closes the database while a device thread may still write: that
// thread's statements must fail cleanly afterwards, never reach a released connection.
TEST_F(DatabaseThreads, CloseWhileAnotherThreadRunsStatements) {
    database().setStatementObserver(nullptr);
    std::atomic<int> ran = 0;
    std::atomic<bool> closed = false;
    std::thread device([this, &ran, &closed] {
        for (bool afterClose = false; !afterClose;) {
            afterClose = closed.load();
            Rows rows;
            const bool succeeded = database().execute("select 1 as one", &rows);
            EXPECT_TRUE(!afterClose || (!succeeded && rows.empty()));
            ++ran;
        }
    });
    while (ran.load() < 20)
        std::this_thread::yield();
    EXPECT_TRUE(database().close());
    closed = true;
    device.join();
    EXPECT_EQ(database().getLastError(), "Cannot execute: select 1 as one, database has not been opened");
    ASSERT_TRUE(database().open(databasePath()));
}

} // namespace
