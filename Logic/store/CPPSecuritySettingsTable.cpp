#include "Logic/store/CPPSecuritySettingsTable.h"

#include "Logic/common/Conversions.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/database/CPPSqlText.h"

CPPSecuritySettingsTable& CPPSecuritySettingsTable::getInstance() {
    static CPPSecuritySettingsTable* const instance = new CPPSecuritySettingsTable;
    return *instance;
}

bool CPPSecuritySettingsTable::createTable() {
    CPPDatabase& database = CPPDatabase::getInstance();
    if (!database.execute("create table if not exists SecuritySettings(id integer primary key autoincrement, "
                          "passwordProtected integer, password text)",
                          nullptr))
        return false;
    Rows rows;
    // An unreadable table is left alone rather than given a second row.
    if (!database.execute("select * from SecuritySettings", &rows) || !rows.empty())
        return true;
    return database.execute("insert into SecuritySettings(passwordProtected, password) values(0, '')",
                            nullptr);
}

CPPSecuritySettings CPPSecuritySettingsTable::get() {
    CPPSecuritySettings settings;
    Rows rows;
    if (!CPPDatabase::getInstance().execute("select * from SecuritySettings", &rows) || rows.size() != 1)
        return settings;
    settings.setId(columnInt(rows.front(), "id"));
    settings.setPasswordProtected(columnInt(rows.front(), "passwordProtected") != 0);
    settings.setPassword(columnText(rows.front(), "password"));
    return settings;
}

bool CPPSecuritySettingsTable::update(const CPPSecuritySettings& settings) {
    if (containsNul(settings.getPassword()))
        return false;
    int32_t changedRows = 0;
    if (!CPPDatabase::getInstance().executeUpdate(
            "update SecuritySettings set passwordProtected=" + toString(settings.getPasswordProtected()) +
                ", password=" + sqlQuote(settings.getPassword()) + " where id=" + toString(settings.getId()),
            changedRows))
        return false;
    return changedRows > 0;
}
