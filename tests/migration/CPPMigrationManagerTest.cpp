#include "Logic/migration/CPPMigrationManager.h"
#include "support/DatabaseFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the runner does with each step it is handed.
class RecordingStep final : public CPPMigrationStep {
public:
    RecordingStep(int32_t revision, std::vector<std::string>& log) : m_revision(revision), m_log(log) {}
    ~RecordingStep() override { m_log.push_back("destroy " + std::to_string(m_revision)); }
    void upgradeSchema() override { m_log.push_back("schema " + std::to_string(m_revision)); }
    void migrateData() override { m_log.push_back("data " + std::to_string(m_revision)); }
    int32_t getRevision() const override { return m_revision; }

private:
    int32_t m_revision;
    std::vector<std::string>& m_log;
};

class MigrationRunner : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        CPPMigrationManager::getInstance().setStepFactory([this](int32_t revision) {
            m_created.push_back(revision);
            std::unique_ptr<CPPMigrationStep> step;
            if (revision >= 2 && revision <= 6)
                step = std::make_unique<RecordingStep>(revision, m_log);
            return step;
        });
    }
    void TearDown() override {
        CPPMigrationManager::getInstance().setStepFactory(nullptr);
        DatabaseFixture::TearDown();
    }

    void createMigrationTable() { CPPMigrationManager::getInstance().createTable(); }
    // The revisions whose steps ran, in order.
    std::vector<int32_t> ranRevisions() const {
        std::vector<int32_t> ran;
        for (const std::string& entry : m_log) {
            if (entry.rfind("schema ", 0) == 0)
                ran.push_back(std::stoi(entry.substr(7)));
        }
        return ran;
    }
    std::string rowsText() {
        std::string text;
        for (Row& row : select("select * from MIGRATION order by ID"))
            text += "(" + row["ID"] + "," + row["REVISION"] + ",'" + row["INFO"] + "')";
        return text;
    }

    std::vector<int32_t> m_created;
    std::vector<std::string> m_log;
};

TEST_F(MigrationRunner, CreatesTheTableAsStored) {
    createMigrationTable();
    EXPECT_EQ(scalar("select sql from sqlite_master where name='MIGRATION'"),
              "CREATE TABLE MIGRATION(ID integer primary key autoincrement, REVISION integer, INFO text )");
}

TEST_F(MigrationRunner, EmptyTableIsOnlyStamped) {
    createMigrationTable();
    clearTrace();
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(trace(),
              (std::vector<std::string>{"BEGIN IMMEDIATE", "select * from MIGRATION",
                                        "insert into MIGRATION (REVISION, INFO) values (6, ' ')", "COMMIT"}));
    EXPECT_TRUE(m_created.empty());
    EXPECT_EQ(rowsText(), "(1,6,' ')");
}

TEST_F(MigrationRunner, MissingTableIsNeverStamped) {
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_TRUE(m_created.empty());
    EXPECT_EQ(scalar("select count(*) from sqlite_master where name='MIGRATION'"), "0");
    EXPECT_EQ(database().getLastError(),
              "Cannot execute: insert into MIGRATION (REVISION, INFO) values (6, ' '), "
              "reason: no such table: MIGRATION");
}

// Each step runs its schema change, then its data fix-up, and is gone before the next starts.
TEST_F(MigrationRunner, RunsTheStepsAboveTheStoredRevisionInOrder) {
    createMigrationTable();
    run("insert into MIGRATION (REVISION, INFO) values (4, ' ')");
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(m_log, (std::vector<std::string>{"schema 5", "data 5", "destroy 5", "schema 6", "data 6",
                                               "destroy 6"}));
    EXPECT_EQ(rowsText(), "(1,6,'')");
}

TEST_F(MigrationRunner, StartsAtRevisionOneForUnreadableRevisions) {
    for (const std::string stored : {"NULL", "''", "'abc'", "0", "-5", "-2147483648"}) {
        SCOPED_TRACE(stored);
        m_log.clear();
        m_created.clear();
        run("drop table if exists MIGRATION");
        createMigrationTable();
        run("insert into MIGRATION (REVISION, INFO) values (" + stored + ", ' ')");
        CPPMigrationManager::getInstance().migrate(6);
        EXPECT_EQ(ranRevisions(), (std::vector<int32_t>{2, 3, 4, 5, 6}));
        EXPECT_EQ(m_created, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(rowsText(), "(1,6,'')");
    }
}

TEST_F(MigrationRunner, RevisionOneRunsEveryStep) {
    createMigrationTable();
    run("insert into MIGRATION (REVISION, INFO) values (1, ' ')");
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(ranRevisions(), (std::vector<int32_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(rowsText(), "(1,6,'')");
}

// Failed step statements stop nothing: the later steps run and the target is recorded.
TEST_F(MigrationRunner, IgnoresFailingStepStatements) {
    CPPMigrationManager::getInstance().setStepFactory(
        [this](int32_t revision) -> std::unique_ptr<CPPMigrationStep> {
            if (revision != 5)
                return std::make_unique<RecordingStep>(revision, m_log);
            class FailingStep final : public CPPMigrationStep {
            public:
                void upgradeSchema() override {
                    CPPDatabase::getInstance().execute("ALTER TABLE Missing ADD x", nullptr);
                }
                void migrateData() override {
                    CPPDatabase::getInstance().execute("update Missing set x=1", nullptr);
                }
                int32_t getRevision() const override { return 5; }
            };
            return std::make_unique<FailingStep>();
        });
    createMigrationTable();
    run("insert into MIGRATION (REVISION, INFO) values (3, ' ')");
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(ranRevisions(), (std::vector<int32_t>{4, 6}));
    EXPECT_EQ(rowsText(), "(1,6,'')");
    EXPECT_EQ(database().getLastError(),
              "Cannot execute: update Missing set x=1, reason: no such table: Missing");
}

// A revision at or past the target runs nothing, at once, and is overwritten.
TEST_F(MigrationRunner, RevisionsAtOrAboveTheTargetRunNoStep) {
    for (const std::string stored : {"6", "7", "2147483647", "99999999999"}) {
        SCOPED_TRACE(stored);
        m_created.clear();
        run("drop table if exists MIGRATION");
        createMigrationTable();
        run("insert into MIGRATION (REVISION, INFO) values (" + stored + ", ' ')");
        CPPMigrationManager::getInstance().migrate(6);
        EXPECT_TRUE(m_created.empty());
        EXPECT_EQ(rowsText(), "(1,6,'')");
    }
}

// The last row read decides, and that same row is the one written back.
TEST_F(MigrationRunner, SeveralRowsUpdateTheRowThatWasRead) {
    createMigrationTable();
    run("insert into MIGRATION (ID, REVISION, INFO) values (1, 6, ' ')");
    run("insert into MIGRATION (ID, REVISION, INFO) values (2, 4, ' ')");
    clearTrace();
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(trace()[trace().size() - 2], "update MIGRATION set REVISION = 6 , INFO = '' where ID = 2");
    EXPECT_EQ(ranRevisions(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(rowsText(), "(1,6,' ')(2,6,'')");

    m_log.clear();
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_TRUE(ranRevisions().empty());
}

TEST_F(MigrationRunner, SecondRunRewritesRowOneOnly) {
    createMigrationTable();
    run("insert into MIGRATION (REVISION, INFO) values (6, ' ')");
    CPPMigrationManager::getInstance().migrate(6);
    clearTrace();
    CPPMigrationManager::getInstance().migrate(6);
    EXPECT_EQ(trace(), (std::vector<std::string>{"BEGIN IMMEDIATE", "select * from MIGRATION",
                                                 "update MIGRATION set REVISION = 6 , INFO = '' where ID = 1",
                                                 "COMMIT"}));
}

// A step claiming another revision is made and destroyed but never run.
TEST_F(MigrationRunner, SkipsAStepOfTheWrongRevision) {
    CPPMigrationManager::getInstance().setStepFactory([this](int32_t revision) {
        return std::make_unique<RecordingStep>(revision == 3 ? 9 : revision, m_log);
    });
    createMigrationTable();
    run("insert into MIGRATION (REVISION, INFO) values (2, ' ')");
    CPPMigrationManager::getInstance().migrate(4);
    EXPECT_EQ(m_log, (std::vector<std::string>{"destroy 9", "schema 4", "data 4", "destroy 4"}));
}

} // namespace
