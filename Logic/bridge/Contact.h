#pragma once

#include "Logic/bridge/ContactNumber.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A phone-book entry as the screens edit it, with its numbers as shared objects. ID 0 until
// saved; -1 for a number of the most-called list that no contact owns, whose first name is
// that number. A new contact has one empty default number. Owned by the thread that made it.
class Contact {
public:
    Contact();
    Contact(const std::string& firstName, const std::string& middleInitial, const std::string& lastName,
            const std::string& company);

    int64_t ID() const { return m_id; }
    void setID(int64_t id) { m_id = id; }
    const std::string& firstName() const { return m_firstName; }
    void setFirstName(const std::string& firstName) { m_firstName = firstName; }
    const std::string& middleInitial() const { return m_middleInitial; }
    void setMiddleInitial(const std::string& middleInitial) { m_middleInitial = middleInitial; }
    const std::string& lastName() const { return m_lastName; }
    void setLastName(const std::string& lastName) { m_lastName = lastName; }
    const std::string& company() const { return m_company; }
    void setCompany(const std::string& company) { m_company = company; }
    int64_t callFrequency() const { return m_callFrequency; }
    void setCallFrequency(int64_t callFrequency) { m_callFrequency = callFrequency; }
    bool isFavorite() const { return m_favorite; }
    void setFavorite(bool favorite) { m_favorite = favorite; }
    bool isFromPhone() const { return m_fromPhone; }
    void setFromPhone(bool fromPhone) { m_fromPhone = fromPhone; }
    // The objects themselves; from the store the default number comes first.
    std::vector<ContactNumberPtr>& numbers() { return m_numbers; }
    const std::vector<ContactNumberPtr>& numbers() const { return m_numbers; }
    void setNumbers(std::vector<ContactNumberPtr> numbers) { m_numbers = std::move(numbers); }

    // Makes default every number whose ID equals the given one's, and no other. Unsaved
    // numbers all have ID 0, so they all become default together.
    void setDefaultNumber(const ContactNumber& number);

private:
    int64_t m_id = 0;
    std::string m_firstName;
    std::string m_middleInitial;
    std::string m_lastName;
    std::string m_company;
    int64_t m_callFrequency = 0;
    bool m_favorite = false;
    bool m_fromPhone = false;
    std::vector<ContactNumberPtr> m_numbers;
};

using ContactPtr = std::shared_ptr<Contact>;
