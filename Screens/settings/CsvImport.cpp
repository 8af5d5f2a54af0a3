#include "Screens/settings/CsvImport.h"

#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"

ImportCounts importContacts(const std::vector<ContactPtr>& contacts, bool overwrite) {
    ImportCounts counts{contacts.size(), 0};
    const CPPBatchScope batch;
    for (const ContactPtr& contact : contacts) {
        if (!ContactManager::addContact(*contact)) {
            ++counts.failed;
            continue;
        }
        // The namesake stored first goes, now that its replacement is stored beside it.
        if (overwrite) {
            ContactManager::removeFirstNamesake(*contact);
        }
    }
    return counts;
}

ImportCounts importConnections(const std::vector<ConnectionSettingsPtr>& connections) {
    ImportCounts counts{connections.size(), 0};
    const CPPBatchScope batch;
    for (const ConnectionSettingsPtr& connection : connections) {
        if (!ConnectionSettingsManager::addConnectionSettings(*connection)) {
            ++counts.failed;
        }
    }
    return counts;
}
