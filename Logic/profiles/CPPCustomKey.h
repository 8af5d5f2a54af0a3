#pragma once

#include <cstdint>
#include <string>

// A user-defined button of a profile: its label, the commands sent on press and release, and
// whether it is enabled. The owning profile is given to the table, not held here.
class CPPCustomKey {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getLabel() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }
    std::string getPressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    std::string getReleaseCommand() const { return m_releaseCommand; }
    void setReleaseCommand(const std::string& command) { m_releaseCommand = command; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

private:
    int32_t m_id = 0;
    std::string m_label;
    std::string m_pressCommand;
    std::string m_releaseCommand;
    bool m_enabled = false;
};
