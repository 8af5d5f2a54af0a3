#pragma once

#include "Logic/migration/CPPMigration.h"
#include "Logic/migration/CPPMigrationStep.h"

#include <cstdint>
#include <functional>
#include <memory>

// Reads the revision recorded in MIGRATION at start-up, runs the steps between it and the
// target, and records the target. Runs on the GUI thread before any device thread exists.
class CPPMigrationManager {
public:
    static CPPMigrationManager& getInstance();

    void createTable();
    void migrate(int32_t targetRevision);

    // Test seam: makes the step for a revision in place of createStep. Empty restores it.
    using StepFactory = std::function<std::unique_ptr<CPPMigrationStep>(int32_t revision)>;
    void setStepFactory(StepFactory factory) { m_stepFactory = std::move(factory); }

    static std::unique_ptr<CPPMigrationStep> createStep(int32_t revision);

private:
    CPPMigrationManager() = default;

    void load();
    void migrateUp(int32_t targetRevision);
    void save(int32_t targetRevision);

    std::unique_ptr<CPPMigration> m_current;
    // The ID of the row load read, which save writes back.
    int32_t m_currentId = 0;
    std::unique_ptr<CPPMigrationStep> m_step;
    StepFactory m_stepFactory;
};
