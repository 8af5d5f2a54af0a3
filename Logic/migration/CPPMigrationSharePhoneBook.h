#pragma once

#include "Logic/migration/CPPMigrationStep.h"

// Revision 2: contacts gain isFromPhone, the mark of the group removed together.
class CPPMigrationSharePhoneBook final : public CPPMigrationStep {
public:
    void upgradeSchema() override;
    void migrateData() override;
    int32_t getRevision() const override { return 2; }
};
