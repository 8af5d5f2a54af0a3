#include "Logic/migration/CPPMigrationConnectionSettingSerial.h"

#include "Logic/common/Codes.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/profiles/CPPConnectionSettingsTable.h"

void CPPMigrationConnectionSettingSerial::upgradeSchema() {
    CPPDatabase& database = CPPDatabase::getInstance();
    database.execute("ALTER TABLE ConnectionSettings ADD connectionType integer", nullptr);
    database.execute("ALTER TABLE ConnectionSettings ADD serialPort integer", nullptr);
}

// The profile update names serialPath, which revision 6 adds: below it these writes fail, and
// revision 6 writes the link type itself.
void CPPMigrationConnectionSettingSerial::migrateData() {
    for (const CPPConnectionSettings& stored : CPPConnectionSettingsTable::getInstance().getAll()) {
        CPPConnectionSettings settings = stored;
        settings.setConnectionType(ConnectionType::TELNET);
        settings.setSerialPort(0);
        CPPConnectionSettingsTable::getInstance().update(settings);
    }
}
