#include "Logic/bridge/ContactManager.h"

#include "Logic/bridge/DirectoryConversions.h"
#include "Logic/store/CPPContactManager.h"

namespace {

CPPContactManager& core() {
    return CPPContactManager::getInstance();
}

// Only the first hit is converted: each conversion reads the contact's numbers.
ContactPtr firstOf(const std::vector<CPPContact>& records) {
    return records.empty() ? nullptr : contactFromCpp(records.front());
}

} // namespace

std::vector<ContactPtr> ContactManager::allContacts() {
    return contactsFromCpp(core().allContacts());
}

std::vector<ContactPtr> ContactManager::allContactsSortedByFirstName(bool ascending) {
    return contactsFromCpp(core().allContactsSortedByFirstName(ascending));
}

std::vector<ContactPtr> ContactManager::allContactsSortedByLastName(bool ascending) {
    return contactsFromCpp(core().allContactsSortedByLastName(ascending));
}

std::vector<ContactPtr> ContactManager::allContactsSortedByCompany(bool ascending) {
    return contactsFromCpp(core().allContactsSortedByCompany(ascending));
}

std::vector<ContactPtr> ContactManager::allFavoriteContacts() {
    return contactsFromCpp(core().allFavoriteContacts());
}

std::vector<ContactPtr> ContactManager::allFavoriteContactsSortedByFirstName(bool ascending) {
    return contactsFromCpp(core().allFavoriteContactsSortedByFirstName(ascending));
}

std::vector<ContactPtr> ContactManager::allFavoriteContactsSortedByLastName(bool ascending) {
    return contactsFromCpp(core().allFavoriteContactsSortedByLastName(ascending));
}

std::vector<ContactPtr> ContactManager::allFavoriteContactsSortedByCompany(bool ascending) {
    return contactsFromCpp(core().allFavoriteContactsSortedByCompany(ascending));
}

std::vector<ContactPtr> ContactManager::allFavoriteContactsSortedByCallFrequency(bool ascending) {
    return contactsFromCpp(core().allFavoriteContactsSortedByCallFrequency(ascending));
}

std::vector<ContactPtr> ContactManager::allNonFavorites() {
    return contactsFromCpp(core().allNonFavorites());
}

std::vector<ContactPtr> ContactManager::allNonFavoriteContactsSortedByFirstName(bool ascending) {
    return contactsFromCpp(core().allNonFavoriteContactsSortedByFirstName(ascending));
}

std::vector<ContactPtr> ContactManager::allNonFavoriteContactsSortedByLastName(bool ascending) {
    return contactsFromCpp(core().allNonFavoriteContactsSortedByLastName(ascending));
}

std::vector<ContactPtr> ContactManager::allNonFavoriteContactsSortedByCompany(bool ascending) {
    return contactsFromCpp(core().allNonFavoriteContactsSortedByCompany(ascending));
}

std::vector<ContactPtr> ContactManager::allNonFavoriteContactsSortedByCallFrequency(bool ascending) {
    return contactsFromCpp(core().allNonFavoriteContactsSortedByCallFrequency(ascending));
}

ContactPtr ContactManager::contactByNumber(const std::string& number) {
    return firstOf(core().contactByNumber(number));
}

ContactPtr ContactManager::contactByFirstName(const std::string& firstName, const std::string& middleInitial,
                                              const std::string& lastName) {
    return firstOf(core().contactByName(firstName, middleInitial, lastName));
}

bool ContactManager::addContact(Contact& contact) {
    CPPContact record = contactToCpp(contact);
    std::vector<CPPContactNumber> numbers = contactNumbersToCpp(contact.numbers());
    if (!core().addContact(record, numbers))
        return false;
    contact.setID(record.getId());
    for (size_t i = 0; i < contact.numbers().size(); ++i) {
        if (contact.numbers()[i] != nullptr)
            contact.numbers()[i]->setID(numbers[i].getId());
    }
    return true;
}

bool ContactManager::updateContact(const Contact& contact) {
    CPPContact record = contactToCpp(contact);
    return core().updateContact(record, contactNumbersToCpp(contact.numbers()));
}

bool ContactManager::removeContact(const Contact& contact) {
    return core().removeContact(contactToCpp(contact), contactNumbersToCpp(contact.numbers()));
}

bool ContactManager::removeFirstNamesake(const Contact& contact) {
    return core().removeFirstNamesake(contactToCpp(contact));
}

bool ContactManager::removeAllContactsFromPhone() {
    return core().removeAllContactsFromPhone();
}
