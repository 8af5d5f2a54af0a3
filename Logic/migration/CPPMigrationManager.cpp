#include "Logic/migration/CPPMigrationManager.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPBatchScope.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"
#include "Logic/migration/CPPMigrationAddSerialPath.h"
#include "Logic/migration/CPPMigrationConnectionSettingSerial.h"
#include "Logic/migration/CPPMigrationDisabledScreenSaved.h"
#include "Logic/migration/CPPMigrationExpandPhoneBook.h"
#include "Logic/migration/CPPMigrationSharePhoneBook.h"

#include <algorithm>

CPPMigrationManager& CPPMigrationManager::getInstance() {
    static CPPMigrationManager* const instance = new CPPMigrationManager;
    return *instance;
}

void CPPMigrationManager::createTable() {
    CPPDatabase::getInstance().execute(
        "create table if not exists MIGRATION(ID integer primary key autoincrement, REVISION integer, "
        "INFO text )",
        nullptr);
}

std::unique_ptr<CPPMigrationStep> CPPMigrationManager::createStep(int32_t revision) {
    switch (revision) {
    case 2:
        return std::make_unique<CPPMigrationSharePhoneBook>();
    case 3:
        return std::make_unique<CPPMigrationExpandPhoneBook>();
    case 4:
        return std::make_unique<CPPMigrationConnectionSettingSerial>();
    case 5:
        return std::make_unique<CPPMigrationDisabledScreenSaved>();
    case 6:
        return std::make_unique<CPPMigrationAddSerialPath>();
    default:
        return nullptr;
    }
}

void CPPMigrationManager::migrate(int32_t targetRevision) {
    // One transaction for the whole run; failed statements inside it are still ignored.
    CPPBatchScope batch;
    load();
    if (m_current) {
        migrateUp(targetRevision);
        m_current->setRevision(targetRevision);
    }
    save(targetRevision);
}

void CPPMigrationManager::load() {
    m_current.reset();
    Rows rows;
    if (!CPPDatabase::getInstance().execute("select * from MIGRATION", &rows))
        return;
    for (const Row& row : rows) {
        auto migration = std::make_unique<CPPMigration>();
        migration->setRevision(columnInt(row, "REVISION"));
        m_currentId = columnInt(row, "ID");
        m_current = std::move(migration);
    }
}

void CPPMigrationManager::migrateUp(int32_t targetRevision) {
    // 64-bit, and never below 1: a stored INT32_MAX must not wrap, INT32_MIN must not spin.
    const int64_t first = std::max<int64_t>(int64_t{m_current->getRevision()} + 1, 1);
    for (int64_t revision = first; revision <= targetRevision; ++revision) {
        const auto r = static_cast<int32_t>(revision);
        m_step = m_stepFactory ? m_stepFactory(r) : createStep(r);
        if (m_step && m_step->getRevision() == r) {
            m_step->upgradeSchema();
            m_step->migrateData();
        }
        m_step.reset();
    }
}

void CPPMigrationManager::save(int32_t targetRevision) {
    CPPDatabase& database = CPPDatabase::getInstance();
    if (m_current) {
        database.execute("update MIGRATION set REVISION = " + toString(m_current->getRevision()) +
                             " , INFO = " + sqlQuote(m_current->getInfo()) +
                             " where ID = " + toString(m_currentId),
                         nullptr);
    } else {
        int32_t newId = 0;
        database.executeInsert(
            "insert into MIGRATION (REVISION, INFO) values (" + toString(targetRevision) + ", ' ')", newId);
    }
    m_current.reset();
}
