#include "Logic/bridge/Contact.h"

Contact::Contact() : Contact("", "", "", "") {}

Contact::Contact(const std::string& firstName, const std::string& middleInitial, const std::string& lastName,
                 const std::string& company)
    : m_firstName(firstName), m_middleInitial(middleInitial), m_lastName(lastName), m_company(company) {
    m_numbers.push_back(std::make_shared<ContactNumber>("", -1, 0, true));
}

void Contact::setDefaultNumber(const ContactNumber& number) {
    for (const ContactNumberPtr& entry : m_numbers) {
        if (entry != nullptr)
            entry->setDefaultNumber(entry->ID() == number.ID());
    }
}
