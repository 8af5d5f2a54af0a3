#pragma once

#include <cstdint>
#include <string>

// One MIGRATION row in memory: the schema revision the tables have reached.
class CPPMigration {
public:
    bool setRevision(int32_t revision) {
        m_revision = revision;
        return true;
    }
    int32_t getRevision() const { return m_revision; }
    // Never read from the file; always empty.
    std::string getInfo() const { return m_info; }

private:
    int32_t m_revision = 0;
    std::string m_info;
};
