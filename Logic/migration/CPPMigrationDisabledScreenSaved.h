#pragma once

#include "Logic/migration/CPPMigrationStep.h"

// Revision 5: the preferences gain disabledScreenSaved.
class CPPMigrationDisabledScreenSaved final : public CPPMigrationStep {
public:
    void upgradeSchema() override;
    void migrateData() override;
    int32_t getRevision() const override { return 5; }
};
