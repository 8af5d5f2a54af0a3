#pragma once

#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/Contact.h"

#include <cstddef>
#include <vector>

// What an import did: how many entries the file gave and how many of them were not stored.
struct ImportCounts {
    size_t total = 0;
    size_t failed = 0;
};

// Stores the file's contacts in file order, all in one batch. With overwrite, the first stored
// contact with exactly the same three names goes, but only once its replacement is stored, so
// a contact that cannot be imported never costs the one it would have replaced.
ImportCounts importContacts(const std::vector<ContactPtr>& contacts, bool overwrite);

// Stores the file's profiles in file order, all in one batch.
ImportCounts importConnections(const std::vector<ConnectionSettingsPtr>& connections);
