#pragma once

#include <cstdint>

// Moves a stored database from the revision below it to its own: a schema change, then a
// fix-up of the data. Steps hold nothing and report nothing.
class CPPMigrationStep {
public:
    virtual ~CPPMigrationStep() = default;

    virtual void upgradeSchema() {}
    virtual void migrateData() {}
    virtual int32_t getRevision() const { return 0; }
};
