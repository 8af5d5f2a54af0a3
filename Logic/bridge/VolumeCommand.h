#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One volume direction of a profile as the screens edit it: type 0 up, 1 down. ID 0 until saved.
class VolumeCommand {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    int64_t type() const { return m_type; }
    void setType(int64_t type) { m_type = type; }
    const std::string& pressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    const std::string& releaseCommand() const { return m_releaseCommand; }
    void setReleaseCommand(const std::string& command) { m_releaseCommand = command; }

private:
    int64_t m_id = 0;
    int64_t m_type = 0;
    std::string m_pressCommand;
    std::string m_releaseCommand;
};

using VolumeCommandPtr = std::shared_ptr<VolumeCommand>;
