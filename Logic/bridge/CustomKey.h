#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A profile's custom key as the screens edit it. ID 0 until saved.
class CustomKey {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const std::string& label() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& pressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    const std::string& releaseCommand() const { return m_releaseCommand; }
    void setReleaseCommand(const std::string& command) { m_releaseCommand = command; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

private:
    int64_t m_id = 0;
    std::string m_label;
    std::string m_pressCommand;
    std::string m_releaseCommand;
    bool m_enabled = false;
};

using CustomKeyPtr = std::shared_ptr<CustomKey>;
