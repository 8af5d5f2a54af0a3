#pragma once

#include "Logic/bridge/Contact.h"

#include <string>
#include <vector>

// The phone book for the screens. Lists are new contacts, each with its numbers; a save
// reports only whether every step worked, and nothing is undone when one fails.
// Interface thread only.
class ContactManager {
public:
    ContactManager() = delete;

    static std::vector<ContactPtr> allContacts();
    static std::vector<ContactPtr> allContactsSortedByFirstName(bool ascending);
    static std::vector<ContactPtr> allContactsSortedByLastName(bool ascending);
    static std::vector<ContactPtr> allContactsSortedByCompany(bool ascending);

    // The marked favorites, or the most-called numbers when the preferences say so.
    static std::vector<ContactPtr> allFavoriteContacts();
    static std::vector<ContactPtr> allFavoriteContactsSortedByFirstName(bool ascending);
    static std::vector<ContactPtr> allFavoriteContactsSortedByLastName(bool ascending);
    static std::vector<ContactPtr> allFavoriteContactsSortedByCompany(bool ascending);
    static std::vector<ContactPtr> allFavoriteContactsSortedByCallFrequency(bool ascending);

    // By first name ascending.
    static std::vector<ContactPtr> allNonFavorites();
    static std::vector<ContactPtr> allNonFavoriteContactsSortedByFirstName(bool ascending);
    static std::vector<ContactPtr> allNonFavoriteContactsSortedByLastName(bool ascending);
    static std::vector<ContactPtr> allNonFavoriteContactsSortedByCompany(bool ascending);
    static std::vector<ContactPtr> allNonFavoriteContactsSortedByCallFrequency(bool ascending);

    // The owner of exactly this text, or null.
    static ContactPtr contactByNumber(const std::string& number);
    // The first contact with exactly these three names, or null.
    static ContactPtr contactByFirstName(const std::string& firstName, const std::string& middleInitial,
                                         const std::string& lastName);

    // Stores the contact and its numbers as new rows; on success the contact and each of
    // its numbers carry their new ids.
    static bool addContact(Contact& contact);
    // Saves names, flags and numbers (matched by text) by the contact's id; writes no id
    // back. A most-called number (ID -1) is stored as a new contact each time.
    static bool updateContact(const Contact& contact);
    // Deletes the contact row, then the rows of its listed numbers.
    static bool removeContact(const Contact& contact);
    // Deletes, with all its numbers, the first stored contact (lowest id) other than this one
    // that bears exactly its three names. True when there is none.
    static bool removeFirstNamesake(const Contact& contact);
    static bool removeAllContactsFromPhone();
};
