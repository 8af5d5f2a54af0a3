#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The settings lock as the screens edit it. The password is plain text.
class SecuritySettings {
public:
    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    bool passwordProtected() const { return m_passwordProtected; }
    void setPasswordProtected(bool passwordProtected) { m_passwordProtected = passwordProtected; }
    const std::string& password() const { return m_password; }
    void setPassword(const std::string& password) { m_password = password; }

private:
    int64_t m_id = 0;
    bool m_passwordProtected = false;
    std::string m_password;
};

using SecuritySettingsPtr = std::shared_ptr<SecuritySettings>;
