#pragma once

#include <cstdint>
#include <string>

// One telephone number of a contact, a plain value without its owner's id. The speed-dial
// slot lives here: 1 to 9, or -1 for none.
class CPPContactNumber {
public:
    // Any int32 is carried unchanged; these are the values the screens offer.
    enum NumberType : int32_t { Home = 0, Work = 1, Mobile = 2, Main = 3, Office = 4, Pager = 5, Other = 6 };

    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getNumber() const { return m_number; }
    void setNumber(const std::string& number) { m_number = number; }
    int32_t getSpeedDial() const { return m_speedDial; }
    void setSpeedDial(int32_t speedDial) { m_speedDial = speedDial; }
    NumberType getType() const { return m_type; }
    void setType(NumberType type) { m_type = type; }
    bool isDefault() const { return m_isDefault; }
    void setIsDefault(bool isDefault) { m_isDefault = isDefault; }

private:
    int32_t m_id = 0;
    std::string m_number;
    int32_t m_speedDial = -1;
    NumberType m_type = Home;
    bool m_isDefault = false;
};
