#include "Logic/migration/CPPMigrationManager.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"
#include "support/DatabaseFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Each step leaves one statement of its own in the trace.
const std::map<std::string, int32_t> stepMarks = {
    {"ALTER TABLE Contact ADD isFromPhone integer", 2},
    {"update PreferencesSettings set expandsPhoneBookEntries=1 where id=", 3},
    {"ALTER TABLE ConnectionSettings ADD connectionType integer", 4},
    {"ALTER TABLE PreferencesSettings ADD disabledScreenSaved integer", 5},
    {"alter table ConnectionSettings add serialPath text", 6},
};

std::string without(std::string text, const std::string& part) {
    const size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part;
    if (at != std::string::npos)
        text.erase(at, part.size());
    return text;
}

// Stored databases of revisions 1 to 6: today's tables without the columns later steps add.
class MigrationSteps : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_TRUE(CPPContactTable::getInstance().createTable());
        ASSERT_TRUE(CPPContactNumberTable::getInstance().createTable());
        ASSERT_TRUE(CPPConnectionSettingsTable::getInstance().createTable());
        ASSERT_TRUE(CPPPreferencesSettingsTable::getInstance().createTable());
        for (const char* table : {"Contact", "ConnectionSettings", "PreferencesSettings"})
            m_fresh[table] = tableSql(table);
        dropShape();
    }

    void dropShape() {
        run("drop table if exists Contact; drop table if exists ConnectionSettings; "
            "drop table if exists PreferencesSettings; drop table if exists MIGRATION");
    }

    std::string tableSql(const std::string& table) {
        return scalar("select sql from sqlite_master where name='" + table + "'");
    }

    // Tables of a stored revision, MIGRATION holding that revision unless told otherwise.
    void shape(int32_t revision, const std::string& storedRevision = "", bool withMigrationRow = true) {
        std::string contact = m_fresh["Contact"];
        std::string settings = m_fresh["ConnectionSettings"];
        std::string preferences = m_fresh["PreferencesSettings"];
        if (revision < 2)
            contact = without(contact, ", isFromPhone integer");
        if (revision < 4)
            settings = without(settings, ", connectionType integer, serialPort integer");
        if (revision < 5)
            preferences = without(preferences, ", disabledScreenSaved integer");
        if (revision < 6)
            settings = without(settings, ", serialPath text");
        run(contact);
        run(settings);
        run(preferences);
        m_revision = revision;
        CPPMigrationManager::getInstance().createTable();
        if (withMigrationRow)
            run("insert into MIGRATION (REVISION, INFO) values (" +
                (storedRevision.empty() ? std::to_string(revision) : storedRevision) + ", ' ')");
    }

    void addContact(const std::string& name, const std::string& isFromPhone = "") {
        run(isFromPhone.empty()
                ? "insert into Contact(firstName) values('" + name + "')"
                : "insert into Contact(firstName, isFromPhone) values('" + name + "', " + isFromPhone + ")");
    }
    void addPreferences(int expands, int disabledScreenSaved = 0) {
        run(std::string("insert into PreferencesSettings(sharesPhoneBook, expandsPhoneBookEntries, ") +
            (m_revision >= 5 ? "disabledScreenSaved, " : "") + "dateFormat) values(0, " +
            std::to_string(expands) + ", " +
            (m_revision >= 5 ? std::to_string(disabledScreenSaved) + ", " : "") + "'D')");
    }
    // Serial columns are written only where the shape has them.
    void addProfile(const std::string& room, int type = 2, int port = 3,
                    const std::string& path = "/dev/ttyS0", bool autoConnect = false) {
        std::string columns = "roomName, isAutoConnect";
        std::string values = "'" + room + "', " + (autoConnect ? "1" : "0");
        if (m_revision >= 4) {
            columns += ", connectionType, serialPort";
            values += ", " + std::to_string(type) + ", " + std::to_string(port);
        }
        if (m_revision >= 6) {
            columns += ", serialPath";
            values += ", '" + path + "'";
        }
        run("insert into ConnectionSettings(" + columns + ") values(" + values + ")");
    }

    void migrate() {
        clearTrace();
        CPPMigrationManager::getInstance().migrate(6);
        m_ran = trace();
    }
    std::vector<int32_t> stepsRun() {
        std::vector<int32_t> steps;
        for (const std::string& statement : m_ran) {
            for (const auto& [mark, revision] : stepMarks) {
                if (statement.rfind(mark, 0) == 0)
                    steps.push_back(revision);
            }
        }
        return steps;
    }
    std::string migrationRows() {
        std::string text;
        for (Row& row : select("select * from MIGRATION order by ID"))
            text += "(" + row["ID"] + "," + row["REVISION"] + ",'" + row["INFO"] + "')";
        return text;
    }
    std::string profiles() {
        std::string text;
        for (Row& row : select("select * from ConnectionSettings order by id"))
            text += "(" + row["connectionType"] + "," + row["serialPort"] + ",'" + row["serialPath"] + "')";
        return text;
    }
    std::string preferences(const std::string& column) {
        return scalar("select ifnull(" + column + ", 'NULL') from PreferencesSettings");
    }
    std::vector<std::string> columns(const std::string& table) {
        std::vector<std::string> names;
        for (Row& row : select("pragma table_info(" + table + ")"))
            names.push_back(row["name"]);
        return names;
    }

    std::map<std::string, std::string> m_fresh;
    // The statements of the latest run.
    std::vector<std::string> m_ran;
    int32_t m_revision = 6;
};

TEST(MigrationStepFactory, MakesTheStepOfEachRevision) {
    for (int32_t revision = -1; revision <= 8; ++revision) {
        const std::unique_ptr<CPPMigrationStep> step = CPPMigrationManager::createStep(revision);
        if (revision < 2 || revision > 6)
            EXPECT_EQ(step, nullptr) << revision;
        else
            EXPECT_EQ(step ? step->getRevision() : 0, revision);
    }
}

// The oldest file gains every column; its data is fixed up as far as the steps reach.
TEST_F(MigrationSteps, RevisionOneIsBroughtToSix) {
    shape(1);
    addContact("Ann");
    addPreferences(0);
    addProfile("Room", 2, 3, "", true);
    migrate();
    EXPECT_EQ(stepsRun(), (std::vector<int32_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(scalar("select ifnull(isFromPhone, 'NULL') from Contact"), "NULL");
    EXPECT_FALSE(CPPContactTable::getInstance().getAll().at(0).isFromPhone());
    EXPECT_EQ(preferences("expandsPhoneBookEntries"), "1");
    EXPECT_EQ(preferences("disabledScreenSaved"), "0");
    EXPECT_EQ(profiles(), "(1,0,'')");
    EXPECT_EQ(scalar("select isAutoConnect from ConnectionSettings"), "1");
    EXPECT_EQ(migrationRows(), "(1,6,'')");
    EXPECT_EQ(tableSql("ConnectionSettings"), m_fresh["ConnectionSettings"]);
    EXPECT_EQ(columns("Contact").back(), "isFromPhone");
    EXPECT_EQ(columns("PreferencesSettings").back(), "disabledScreenSaved");
    EXPECT_EQ(m_ran.front(), "BEGIN IMMEDIATE");
    EXPECT_EQ(m_ran.back(), "COMMIT");
}

// Each stored revision runs exactly the steps above it.
TEST_F(MigrationSteps, LaterRevisionsRunOnlyTheStepsAboveThem) {
    {
        SCOPED_TRACE("revision 2");
        shape(2);
        addContact("Ann", "1");
        addPreferences(0);
        migrate();
        EXPECT_EQ(stepsRun(), (std::vector<int32_t>{3, 4, 5, 6}));
        EXPECT_EQ(scalar("select isFromPhone from Contact"), "1");
        EXPECT_EQ(preferences("expandsPhoneBookEntries"), "1");
    }
    dropShape();
    {
        SCOPED_TRACE("revision 4");
        shape(4);
        addPreferences(0);
        addProfile("Room", 2, 3);
        migrate();
        EXPECT_EQ(stepsRun(), (std::vector<int32_t>{5, 6}));
        EXPECT_EQ(preferences("expandsPhoneBookEntries"), "0");
        EXPECT_EQ(profiles(), "(1,3,'')");
    }
    dropShape();
    {
        SCOPED_TRACE("revision 5");
        shape(5);
        addPreferences(0, 1);
        addProfile("Room", 2, 3);
        migrate();
        EXPECT_EQ(stepsRun(), (std::vector<int32_t>{6}));
        EXPECT_EQ(preferences("disabledScreenSaved"), "1");
        EXPECT_EQ(preferences("expandsPhoneBookEntries"), "0");
        EXPECT_EQ(profiles(), "(1,3,'')");
    }
    dropShape();
    {
        SCOPED_TRACE("revision 6");
        shape(6);
        addProfile("Room", 2, 0, "/dev/ttyUSB0");
        migrate();
        EXPECT_TRUE(stepsRun().empty());
        EXPECT_EQ(profiles(), "(2,0,'/dev/ttyUSB0')");
        EXPECT_EQ(migrationRows(), "(1,6,'')");
    }
}

// A MIGRATION table without rows is only stamped, whatever the tables look like.
TEST_F(MigrationSteps, AnEmptyMigrationTableIsOnlyStamped) {
    for (const int32_t revision : {6, 1}) {
        SCOPED_TRACE(revision);
        dropShape();
        shape(revision, "", false);
        addProfile("Room");
        const std::vector<std::string> before = columns("ConnectionSettings");
        const std::string rows = profiles();
        migrate();
        EXPECT_TRUE(stepsRun().empty());
        EXPECT_EQ(columns("ConnectionSettings"), before);
        EXPECT_EQ(profiles(), rows);
        EXPECT_EQ(migrationRows(), "(1,6,' ')");
    }
}

// A stored file without the table gets no revision recorded.
TEST_F(MigrationSteps, NoMigrationTableRecordsNothing) {
    shape(1, "", false);
    run("drop table MIGRATION");
    migrate();
    EXPECT_TRUE(stepsRun().empty());
    EXPECT_EQ(database().getLastError(),
              "Cannot execute: insert into MIGRATION (REVISION, INFO) values (6, ' '), "
              "reason: no such table: MIGRATION");
}

// A revision above the target runs nothing and becomes the target.
TEST_F(MigrationSteps, RevisionsAboveSixRunNoStep) {
    for (const std::string stored : {"7", "99999999999"}) {
        SCOPED_TRACE(stored);
        dropShape();
        shape(6, stored);
        migrate();
        EXPECT_TRUE(stepsRun().empty());
        EXPECT_EQ(migrationRows(), "(1,6,'')");
    }
}

// An unreadable revision on a current file reruns every step; the ALTERs fail, the
// fix-ups write, and the batch still commits.
TEST_F(MigrationSteps, UnreadableRevisionsRerunEveryStep) {
    for (const std::string stored : {"NULL", "''", "'abc'", "0", "-5", "-2147483648"}) {
        SCOPED_TRACE(stored);
        dropShape();
        shape(6, stored);
        addContact("Ann", "1");
        addPreferences(0, 1);
        addProfile("Room", 2, 3, "/dev/ttyS0");
        migrate();
        EXPECT_EQ(stepsRun(), (std::vector<int32_t>{2, 3, 4, 5, 6}));
        EXPECT_EQ(profiles(), "(1,0,'')");
        EXPECT_EQ(preferences("expandsPhoneBookEntries"), "1");
        EXPECT_EQ(preferences("disabledScreenSaved"), "0");
        EXPECT_EQ(scalar("select isFromPhone from Contact"), "1");
        EXPECT_EQ(m_ran.back(), "COMMIT");
        EXPECT_EQ(migrationRows(), "(1,6,'')");
    }
}

// The last row read decides, and that row is the one written back.
TEST_F(MigrationSteps, SeveralRowsUpdateTheRowThatWasRead) {
    shape(4, "", false);
    addProfile("Room", 2, 3);
    run("insert into MIGRATION (ID, REVISION, INFO) values (1, 6, ' ')");
    run("insert into MIGRATION (ID, REVISION, INFO) values (2, 4, ' ')");
    migrate();
    EXPECT_EQ(stepsRun(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(migrationRows(), "(1,6,' ')(2,6,'')");
    EXPECT_EQ(profiles(), "(1,3,'')");
    migrate();
    EXPECT_TRUE(stepsRun().empty());

    run("delete from MIGRATION where ID = 1");
    migrate();
    EXPECT_EQ(migrationRows(), "(2,6,'')");
}

// The second ALTER of revision 4 runs whatever the first one did.
TEST_F(MigrationSteps, AnExistingConnectionTypeStillGetsTheSerialPort) {
    shape(3);
    run("alter table ConnectionSettings add connectionType integer");
    migrate();
    EXPECT_EQ(stepsRun(), (std::vector<int32_t>{4, 5, 6}));
    const std::vector<std::string> names = columns("ConnectionSettings");
    EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
              (std::vector<std::string>{"connectionType", "serialPort", "serialPath"}));
}

// With two preferences rows the fix-up finds no row to write.
TEST_F(MigrationSteps, TwoPreferenceRowsGetTheColumnButNoValue) {
    shape(4);
    addPreferences(0);
    addPreferences(1);
    migrate();
    EXPECT_EQ(columns("PreferencesSettings").back(), "disabledScreenSaved");
    EXPECT_EQ(scalar("select group_concat(ifnull(disabledScreenSaved, 'NULL')) from PreferencesSettings"),
              "NULL,NULL");
}

// A profile text with an apostrophe is written back unchanged, as are its neighbours.
TEST_F(MigrationSteps, QuotedProfileTextsAreWrittenBackUnchanged) {
    shape(5);
    run("insert into ConnectionSettings(roomName, connectionType, serialPort) values('a''b', 2, 3)");
    addProfile("zz", 2, 4);
    migrate();
    EXPECT_EQ(profiles(), "(1,3,'')(1,4,'')");
    EXPECT_EQ(scalar("select group_concat(roomName, '|') from ConnectionSettings"), "a'b|zz");
}

// A second start finds revision 6 and only rewrites the row.
TEST_F(MigrationSteps, ASecondRunOnlyRewritesTheRow) {
    shape(1);
    migrate();
    migrate();
    EXPECT_EQ(m_ran, (std::vector<std::string>{"BEGIN IMMEDIATE", "select * from MIGRATION",
                                               "update MIGRATION set REVISION = 6 , INFO = '' where ID = 1",
                                               "COMMIT"}));
}

} // namespace
