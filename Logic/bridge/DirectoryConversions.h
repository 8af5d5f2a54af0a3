#pragma once

#include "Logic/bridge/Contact.h"
#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPContactNumber.h"

#include <vector>

// Between the phone-book records of the store and the interface's models.

// A new contact with its numbers, read from the store (one read). fromPhone stays false.
ContactPtr contactFromCpp(const CPPContact& record);
// New contacts with their numbers, all read in one go however long the list.
std::vector<ContactPtr> contactsFromCpp(const std::vector<CPPContact>& records);
// The contact's own fields; its numbers convert separately.
CPPContact contactToCpp(const Contact& model);

ContactNumberPtr contactNumberFromCpp(const CPPContactNumber& record);
CPPContactNumber contactNumberToCpp(const ContactNumber& model);
std::vector<ContactNumberPtr> contactNumbersFromCpp(const std::vector<CPPContactNumber>& records);
// A null entry converts as a new number.
std::vector<CPPContactNumber> contactNumbersToCpp(const std::vector<ContactNumberPtr>& models);

// The stored numbers of the contact, default first; for a most-called number that no contact
// owns (ID -1), that number alone, as default, without reading the store.
std::vector<ContactNumberPtr> numbersForContact(const Contact& contact);
