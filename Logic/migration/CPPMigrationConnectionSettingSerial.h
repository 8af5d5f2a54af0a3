#pragma once

#include "Logic/migration/CPPMigrationStep.h"

// Revision 4: profiles gain the link type and the serial port.
class CPPMigrationConnectionSettingSerial final : public CPPMigrationStep {
public:
    void upgradeSchema() override;
    void migrateData() override;
    int32_t getRevision() const override { return 4; }
};
