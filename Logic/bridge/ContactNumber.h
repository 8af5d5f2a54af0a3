#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One number of a contact as the screens edit it. ID 0 until saved. A number made with the
// plain constructor has slot 0, not -1 ("none"): the number form sets the slot itself.
class ContactNumber {
public:
    ContactNumber() = default;
    ContactNumber(const std::string& number, int64_t speedDial, int64_t type, bool isDefault)
        : m_number(number), m_speedDial(speedDial), m_type(type), m_defaultNumber(isDefault) {}

    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const std::string& number() const { return m_number; }
    void setNumber(const std::string& number) { m_number = number; }
    // 1 to 9, or -1 for none.
    int64_t speedDial() const { return m_speedDial; }
    void setSpeedDial(int64_t speedDial) { m_speedDial = speedDial; }
    // 0 Home, 1 Work, 2 Mobile, 3 Main, 4 Office, 5 Pager, 6 Other.
    int64_t type() const { return m_type; }
    void setType(int64_t type) { m_type = type; }
    bool isDefaultNumber() const { return m_defaultNumber; }
    void setDefaultNumber(bool isDefault) { m_defaultNumber = isDefault; }

private:
    int64_t m_id = 0;
    std::string m_number;
    int64_t m_speedDial = 0;
    int64_t m_type = 0;
    bool m_defaultNumber = false;
};

using ContactNumberPtr = std::shared_ptr<ContactNumber>;
