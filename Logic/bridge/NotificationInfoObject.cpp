#include "Logic/bridge/NotificationInfoObject.h"

NotificationInfoObject::NotificationInfoObject(const std::string& bn, const std::string& epn,
                                               const std::string& pn, const std::string& payload,
                                               const std::string& originCmd, int64_t notificationCmdType,
                                               int64_t cmdType, int64_t endPointType,
                                               int64_t notificationType)
    : m_bnStr(bn), m_epnStr(epn), m_pnStr(pn), m_payLoadStr(payload), m_originCmdStr(originCmd),
      m_notificationCommandType(notificationCmdType), m_eCommandType(cmdType), m_eEndPointType(endPointType),
      m_notificationType(notificationType) {}

NotificationInfoObject::NotificationInfoObject(const CPPNotificationInfo& data)
    : m_bnStr(data.getBn()), m_epnStr(data.getEpn()), m_pnStr(data.getPn()), m_payLoadStr(data.getPayload()),
      m_originCmdStr(data.getOriginCmd()) {}
