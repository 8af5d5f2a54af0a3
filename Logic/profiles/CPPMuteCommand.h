#pragma once

#include <cstdint>
#include <string>

// How a profile mutes the box when it does not use a microphone group: the command to send,
// the query for the state, and the two lines with which the box reports it.
class CPPMuteCommand {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getPressCommand() const { return m_pressCommand; }
    void setPressCommand(const std::string& command) { m_pressCommand = command; }
    std::string getQueryCommand() const { return m_queryCommand; }
    void setQueryCommand(const std::string& command) { m_queryCommand = command; }
    std::string getActiveNotificationFormat() const { return m_activeNotificationFormat; }
    void setActiveNotificationFormat(const std::string& format) { m_activeNotificationFormat = format; }
    std::string getInactiveNotificationFormat() const { return m_inactiveNotificationFormat; }
    void setInactiveNotificationFormat(const std::string& format) { m_inactiveNotificationFormat = format; }

private:
    int32_t m_id = 0;
    std::string m_pressCommand;
    std::string m_queryCommand;
    std::string m_activeNotificationFormat;
    std::string m_inactiveNotificationFormat;
};
