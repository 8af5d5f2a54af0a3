#pragma once

#include <cstdint>
#include <string>

// One phone-book entry, a plain value. Id 0 means not stored yet; -1 marks an entry the
// most-called list made for a number that no contact owns.
class CPPContact {
public:
    int32_t getId() const { return m_id; }
    void setId(int32_t id) { m_id = id; }
    std::string getFirstName() const { return m_firstName; }
    void setFirstName(const std::string& firstName) { m_firstName = firstName; }
    std::string getMiddleInitial() const { return m_middleInitial; }
    void setMiddleInitial(const std::string& middleInitial) { m_middleInitial = middleInitial; }
    std::string getLastName() const { return m_lastName; }
    void setLastName(const std::string& lastName) { m_lastName = lastName; }
    std::string getCompany() const { return m_company; }
    void setCompany(const std::string& company) { m_company = company; }
    int32_t getCallFrequency() const { return m_callFrequency; }
    void setCallFrequency(int32_t callFrequency) { m_callFrequency = callFrequency; }
    bool isFavorite() const { return m_isFavorite; }
    void setIsFavorite(bool isFavorite) { m_isFavorite = isFavorite; }
    bool isFromPhone() const { return m_isFromPhone; }
    void setIsFromPhone(bool isFromPhone) { m_isFromPhone = isFromPhone; }

    // First name, blank, middle initial, blank, last name: both blanks always, nothing trimmed.
    // Screens and stored call log entries rely on this exact shape.
    std::string getFullName() const { return m_firstName + " " + m_middleInitial + " " + m_lastName; }

    // Identity is the row id alone; the most-called list uses it to skip a contact it holds.
    bool operator==(const CPPContact& other) const { return m_id == other.m_id; }

private:
    int32_t m_id = 0;
    std::string m_firstName;
    std::string m_middleInitial;
    std::string m_lastName;
    std::string m_company;
    int32_t m_callFrequency = 0;
    bool m_isFavorite = false;
    bool m_isFromPhone = false;
};
