#pragma once

#include "Logic/protocol/CPPNotificationInfo.h"

#include <cstdint>
#include <memory>
#include <string>

// The interface's copy of one core record, carried by the "notification" post under "data".
// The bridge shares each one read-only between every observer of its post.
class NotificationInfoObject {
public:
    NotificationInfoObject(const std::string& bn, const std::string& epn, const std::string& pn,
                           const std::string& payload, const std::string& originCmd,
                           int64_t notificationCmdType, int64_t cmdType, int64_t endPointType,
                           int64_t notificationType);
    // The five texts of the record; the numbers stay 0.
    explicit NotificationInfoObject(const CPPNotificationInfo& data);

    // The command class ("NOTIFICATION", "CONNECTION", ...).
    const std::string& bnStr() const { return m_bnStr; }
    void setBnStr(const std::string& bn) { m_bnStr = bn; }
    const std::string& epnStr() const { return m_epnStr; }
    void setEpnStr(const std::string& epn) { m_epnStr = epn; }
    // The sub-command or status word ("STATE_CHANGE", "CLOSE", ...).
    const std::string& pnStr() const { return m_pnStr; }
    void setPnStr(const std::string& pn) { m_pnStr = pn; }
    const std::string& payLoadStr() const { return m_payLoadStr; }
    void setPayLoadStr(const std::string& payload) { m_payLoadStr = payload; }
    // The received line; empty for records the core makes itself.
    const std::string& originCmdStr() const { return m_originCmdStr; }
    void setOriginCmdStr(const std::string& originCmd) { m_originCmdStr = originCmd; }
    // The bridge always sets these three to 1.
    int64_t notificationCommandType() const { return m_notificationCommandType; }
    void setNotificationCommandType(int64_t type) { m_notificationCommandType = type; }
    int64_t eCommandType() const { return m_eCommandType; }
    void setECommandType(int64_t type) { m_eCommandType = type; }
    int64_t eEndPointType() const { return m_eEndPointType; }
    void setEEndPointType(int64_t type) { m_eEndPointType = type; }
    // What happened: the NotificationType codes 0 to 10.
    int64_t notificationType() const { return m_notificationType; }
    void setNotificationType(int64_t type) { m_notificationType = type; }

private:
    std::string m_bnStr;
    std::string m_epnStr;
    std::string m_pnStr;
    std::string m_payLoadStr;
    std::string m_originCmdStr;
    int64_t m_notificationCommandType = 0;
    int64_t m_eCommandType = 0;
    int64_t m_eEndPointType = 0;
    int64_t m_notificationType = 0;
};

using NotificationInfoObjectPtr = std::shared_ptr<const NotificationInfoObject>;
