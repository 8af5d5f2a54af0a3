#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A profile's mute command as the screens edit it. ID 0 until saved.
class MuteCommand {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const std::string& pressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    const std::string& queryCommand() const { return m_queryCommand; }
    void setQueryCommand(const std::string& command) { m_queryCommand = command; }
    const std::string& activeNotificationFormat() const { return m_activeNotificationFormat; }
    void setActiveNotificationFormat(const std::string& format) { m_activeNotificationFormat = format; }
    const std::string& inactiveNotificationFormat() const { return m_inactiveNotificationFormat; }
    void setInactiveNotificationFormat(const std::string& format) { m_inactiveNotificationFormat = format; }

private:
    int64_t m_id = 0;
    std::string m_pressCommand;
    std::string m_queryCommand;
    std::string m_activeNotificationFormat;
    std::string m_inactiveNotificationFormat;
};

using MuteCommandPtr = std::shared_ptr<MuteCommand>;
