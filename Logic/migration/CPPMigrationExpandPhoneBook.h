#pragma once

#include "Logic/migration/CPPMigrationStep.h"

// Revision 3: the phone book shows its entries expanded. No schema change.
class CPPMigrationExpandPhoneBook final : public CPPMigrationStep {
public:
    void upgradeSchema() override;
    void migrateData() override;
    int32_t getRevision() const override { return 3; }
};
