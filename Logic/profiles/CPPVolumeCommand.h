#pragma once

#include <cstdint>
#include <string>

// The commands of one volume direction of a profile, sent when its button is pressed and
// released. Type 0 is volume up, 1 volume down; other values are stored but never looked up.
class CPPVolumeCommand {
public:
    static constexpr int32_t typeUp = 0;
    static constexpr int32_t typeDown = 1;

    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    int32_t getType() const { return m_type; }
    void setType(int32_t type) { m_type = type; }
    std::string getPressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    std::string getReleaseCommand() const { return m_releaseCommand; }
    void setReleaseCommand(const std::string& command) { m_releaseCommand = command; }

private:
    int32_t m_id = 0;
    int32_t m_type = typeUp;
    std::string m_pressCommand;
    std::string m_releaseCommand;
};
