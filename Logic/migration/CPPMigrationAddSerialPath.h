#pragma once

#include "Logic/migration/CPPMigrationStep.h"

// Revision 6: profiles gain the serial device path; every profile becomes Telnet.
class CPPMigrationAddSerialPath final : public CPPMigrationStep {
public:
    void upgradeSchema() override;
    void migrateData() override;
    int32_t getRevision() const override { return 6; }
};
