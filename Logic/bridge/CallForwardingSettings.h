#pragma once

#include <cstdint>
#include <memory>

// A call-forwarding choice. Nothing stores it: the live forwarding state is the line's.
class CallForwardingSettings {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    bool forwardsCalls() const { return m_forwardsCalls; }
    void setForwardsCalls(bool forwardsCalls) { m_forwardsCalls = forwardsCalls; }
    int64_t contactID() const { return m_contactID; }
    void setContactID(int64_t contactID) { m_contactID = contactID; }
    int64_t forwardingType() const { return m_forwardingType; }
    void setForwardingType(int64_t forwardingType) { m_forwardingType = forwardingType; }

private:
    int64_t m_id = 0;
    bool m_forwardsCalls = false;
    int64_t m_contactID = 0;
    int64_t m_forwardingType = 0;
};

using CallForwardingSettingsPtr = std::shared_ptr<CallForwardingSettings>;
