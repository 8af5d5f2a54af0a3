#include "Logic/bridge/CPPDialerCore.h"

#include "Logic/connection/DeviceCommunication.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/migration/CPPMigrationManager.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/profiles/CPPCustomKeyTable.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/profiles/CPPVolumeCommandTable.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"
#include "Logic/store/CPPSecuritySettingsTable.h"
#include "Platform/Files.h"
#include "Platform/Log.h"

namespace {

// The schema revision this program writes and reads.
constexpr int32_t schemaRevision = 6;

void logDatabaseError() {
    Platform::Log::err(CPPDatabase::getInstance().getLastError());
}

} // namespace

CPPDialerCore& CPPDialerCore::getInstance() {
    static CPPDialerCore* const instance = new CPPDialerCore;
    return *instance;
}

bool CPPDialerCore::open(const std::string& path) {
    // An empty file is as new as a missing one: SQLite would take it as an empty database,
    // and no tables would ever be made in it.
    const bool isNew = !Platform::Files::hasContent(path);
    // Made by us first, so the file is the user's alone from its first byte.
    if (!Platform::Files::exists(path))
        Platform::Files::createEmptyFile(path, 0600);
    if (!CPPDatabase::getInstance().open(path)) {
        logDatabaseError();
        return false;
    }
    // Only a new file gets tables: creating them in an old file without MIGRATION would stamp
    // it as the current revision and skip its migration.
    if (isNew && !createTables())
        return false;
    CPPMigrationManager::getInstance().migrate(schemaRevision);
    // Old files predate the indexes; making them is harmless when they exist.
    CPPContactTable::getInstance().createIndexes();
    CPPContactNumberTable::getInstance().createIndexes();
    m_deviceCommunication.store(DeviceCommunication::getInstance());
    return true;
}

bool CPPDialerCore::createTables() {
    const std::function<bool()> creators[] = {
        [] { return CPPContactTable::getInstance().createTable(); },
        [] { return CPPContactNumberTable::getInstance().createTable(); },
        [] { return CPPConnectionSettingsTable::getInstance().createTable(); },
        [] { return CPPCustomKeyTable::getInstance().createTable(); },
        [] { return CPPMuteCommandTable::getInstance().createTable(); },
        [] { return CPPVolumeCommandTable::getInstance().createTable(); },
        [] { return CPPCallLogTable::getInstance().createTable(); },
        [] { return CPPSecuritySettingsTable::getInstance().createTable(); },
        [] { return CPPPreferencesSettingsTable::getInstance().createTable(); },
    };
    for (const auto& create : creators) {
        if (!create()) {
            logDatabaseError();
            return false;
        }
    }
    CPPMigrationManager::getInstance().createTable();
    return true;
}

void CPPDialerCore::postDidLaunch() {
    if (DeviceCommunication* const deviceCommunication = m_deviceCommunication.load())
        deviceCommunication->autoConnect();
}

bool CPPDialerCore::close(const std::function<void()>& detach) {
    if (!CPPDatabase::getInstance().close())
        return false;
    DeviceCommunication* const deviceCommunication = m_deviceCommunication.exchange(nullptr);
    if (deviceCommunication != nullptr)
        deviceCommunication->closeConnection(true, false);
    if (detach)
        detach();
    delete deviceCommunication;
    return true;
}
