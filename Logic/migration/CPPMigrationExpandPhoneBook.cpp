#include "Logic/migration/CPPMigrationExpandPhoneBook.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"

void CPPMigrationExpandPhoneBook::upgradeSchema() {}

// The full-row preferences update names disabledScreenSaved, which only revision 5 adds, so
// it would change nothing here: this writes the one column instead.
void CPPMigrationExpandPhoneBook::migrateData() {
    const CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    CPPDatabase::getInstance().execute("update PreferencesSettings set expandsPhoneBookEntries=1 where id=" +
                                           toString(preferences.getId()),
                                       nullptr);
}
