#include "Logic/migration/CPPMigrationSharePhoneBook.h"

#include "Logic/database/CPPDatabase.h"
#include "Logic/store/CPPContactTable.h"

void CPPMigrationSharePhoneBook::upgradeSchema() {
    CPPDatabase::getInstance().execute("ALTER TABLE Contact ADD isFromPhone integer", nullptr);
}

// The contact update never writes isFromPhone, so existing rows keep NULL, which reads false.
void CPPMigrationSharePhoneBook::migrateData() {
    for (const CPPContact& stored : CPPContactTable::getInstance().getAll()) {
        CPPContact contact = stored;
        contact.setIsFromPhone(false);
        CPPContactTable::getInstance().update(contact);
    }
}
