#pragma once

#include "Logic/common/Codes.h"

#include <cstdint>
#include <string>

// One event reported upward by the core: a link change, a send failure, or a line from the
// box turned into an event. Records are values; whoever receives one copies what it keeps.
class CPPNotificationInfo {
public:
    // The codes are named in Logic/common/Codes.h: CommandType, EndPointType and
    // NotificationType.
    int32_t getCmdType() const { return m_cmdType; }
    void setCmdType(int32_t cmdType) { m_cmdType = cmdType; }
    int32_t getEndPointType() const { return m_endPointType; }
    void setEndPointType(int32_t endPointType) { m_endPointType = endPointType; }
    std::string getBn() const { return m_bn; }
    void setBn(const std::string& bn) { m_bn = bn; }
    std::string getEpn() const { return m_epn; }
    void setEpn(const std::string& epn) { m_epn = epn; }
    std::string getPn() const { return m_pn; }
    void setPn(const std::string& pn) { m_pn = pn; }
    std::string getPayload() const { return m_payload; }
    void setPayload(const std::string& payload) { m_payload = payload; }
    std::string getOriginCmd() const { return m_originCmd; }
    void setOriginCmd(const std::string& originCmd) { m_originCmd = originCmd; }
    int32_t getNotificationType() const { return m_notificationType; }
    void setNotificationType(int32_t notificationType) { m_notificationType = notificationType; }

private:
    int32_t m_cmdType = CommandType::RECEIVED;
    int32_t m_endPointType = EndPointType::UA;
    std::string m_bn;
    std::string m_epn;
    std::string m_pn;
    std::string m_payload;
    std::string m_originCmd;
    // Every maker sets a type; a record nobody finished says so.
    int32_t m_notificationType = NotificationType::UNFINISHED;
};

// Where records leave the core. notify runs on whichever thread made the record and must not
// keep the pointer: the record is destroyed as soon as notify returns.
class DeviceCommandNotificationListener {
public:
    virtual ~DeviceCommandNotificationListener() = default;
    virtual void notify(const CPPNotificationInfo* info);
};
