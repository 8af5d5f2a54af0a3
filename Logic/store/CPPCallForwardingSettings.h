#pragma once

#include <cstdint>

// The call-forwarding choice as the settings screen edits it. Never stored: the line model
// holds the live forwarding state the box reports.
class CPPCallForwardingSettings {
public:
    enum ForwardingType : int32_t {};

    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    bool getForwardsCalls() const { return m_forwardsCalls; }
    void setForwardsCalls(bool forwardsCalls) { m_forwardsCalls = forwardsCalls; }
    int32_t getContactID() const { return m_contactID; }
    void setContactID(int32_t contactID) { m_contactID = contactID; }
    ForwardingType getForwardingType() const { return m_forwardingType; }
    void setForwardingType(ForwardingType forwardingType) { m_forwardingType = forwardingType; }

private:
    int32_t m_id = 0;
    bool m_forwardsCalls = false;
    int32_t m_contactID = 0;
    ForwardingType m_forwardingType = ForwardingType{0};
};
