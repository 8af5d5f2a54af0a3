#include "Logic/migration/CPPMigrationDisabledScreenSaved.h"

#include "Logic/database/CPPDatabase.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"

void CPPMigrationDisabledScreenSaved::upgradeSchema() {
    CPPDatabase::getInstance().execute("ALTER TABLE PreferencesSettings ADD disabledScreenSaved integer",
                                       nullptr);
}

void CPPMigrationDisabledScreenSaved::migrateData() {
    CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    preferences.setDisabledScreenSaved(false);
    CPPPreferencesSettingsTable::getInstance().update(preferences);
}
