#include "Logic/migration/CPPMigrationAddSerialPath.h"

#include "Logic/common/Codes.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"

void CPPMigrationAddSerialPath::upgradeSchema() {
    CPPDatabase::getInstance().execute("alter table ConnectionSettings add serialPath text", nullptr);
}

// Every profile becomes a Telnet one; the serial port is written back as it was read.
void CPPMigrationAddSerialPath::migrateData() {
    for (const CPPConnectionSettings& stored : CPPConnectionSettingsTable::getInstance().getAll()) {
        CPPConnectionSettings settings = stored;
        settings.setConnectionType(ConnectionType::TELNET);
        settings.setSerialPath("");
        CPPConnectionSettingsTable::getInstance().update(settings);
    }
}
