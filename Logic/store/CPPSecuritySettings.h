#pragma once

#include <cstdint>
#include <string>

// The settings lock: the one row of table "SecuritySettings". The password is kept exactly
// as typed, in plain text.
class CPPSecuritySettings {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    bool getPasswordProtected() const { return m_passwordProtected; }
    void setPasswordProtected(bool passwordProtected) { m_passwordProtected = passwordProtected; }
    std::string getPassword() const { return m_password; }
    void setPassword(const std::string& password) { m_password = password; }

private:
    int32_t m_id = 0;
    bool m_passwordProtected = false;
    std::string m_password;
};
