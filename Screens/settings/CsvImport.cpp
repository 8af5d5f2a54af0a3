#include "Screens/settings/CsvImport.h"

#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"

ImportCounts importContacts(const std::vector<ContactPtr>& contacts, bool overwrite) {
    ImportCounts counts{contacts.size(), 0};
    const CPPBatchScope batch;
    for (const ContactPtr& contact : contacts) {
        const ContactPtr namesake =
            overwrite ? ContactManager::contactByFirstName(contact->firstName(), contact->middleInitial(),
                                                           contact->lastName())
                      : nullptr;
        if (!ContactManager::addContact(*contact)) {
            ++counts.failed;
            continue;
        }
        if (namesake != nullptr) {
            ContactManager::removeContact(*namesake);
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
