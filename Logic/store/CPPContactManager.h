#pragma once

#include "Logic/store/CPPContact.h"
#include "Logic/store/CPPContactNumber.h"
#include "Logic/store/CPPContactSorting.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The phone book's service layer over the Contact and ContactNumber tables: lookups, sorted
// lists, favorites (marked, or the most-called numbers) and saving a contact with its
// numbers. Stateless; nothing is rolled back when a step of a change fails.
class CPPContactManager {
public:
    static CPPContactManager& getInstance();

    // The owner of exactly this text (no cut at "@"): none or one contact.
    std::vector<CPPContact> contactByNumber(const std::string& number);
    // contactByNumber for many numbers at once; numbers without an owner are left out.
    std::unordered_map<std::string, CPPContact> contactsByNumbers(const std::vector<std::string>& numbers);
    std::vector<CPPContact> contactByName(const std::string& firstName, const std::string& middleInitial,
                                          const std::string& lastName);

    std::vector<CPPContact> allContacts();
    std::vector<CPPContact> allContactsSortedByFirstName(bool ascending);
    std::vector<CPPContact> allContactsSortedByLastName(bool ascending);
    std::vector<CPPContact> allContactsSortedByCompany(bool ascending);

    std::vector<CPPContact> allFavoriteContacts();
    std::vector<CPPContact> allFavoriteContactsSortedByFirstName(bool ascending);
    std::vector<CPPContact> allFavoriteContactsSortedByLastName(bool ascending);
    std::vector<CPPContact> allFavoriteContactsSortedByCompany(bool ascending);
    std::vector<CPPContact> allFavoriteContactsSortedByCallFrequency(bool ascending);
    // The marked favorites, or the most-called list when the preferences say so.
    std::vector<CPPContact> favoriteContacts(const std::string& column, bool ascending);

    std::vector<CPPContact> allNonFavorites();
    std::vector<CPPContact> allNonFavoriteContactsSortedByFirstName(bool ascending);
    std::vector<CPPContact> allNonFavoriteContactsSortedByLastName(bool ascending);
    std::vector<CPPContact> allNonFavoriteContactsSortedByCompany(bool ascending);
    std::vector<CPPContact> allNonFavoriteContactsSortedByCallFrequency(bool ascending);

    // The contact's numbers by text, its first default number moved to the front.
    std::vector<CPPContactNumber> numbersOfContact(const CPPContact& contact);
    // numbersOfContact for every contact at once, keyed by contact id.
    std::unordered_map<int32_t, std::vector<CPPContactNumber>> numbersOfAllContacts();
    // The same for the listed contacts only.
    std::unordered_map<int32_t, std::vector<CPPContactNumber>>
    numbersOfContacts(const std::vector<int32_t>& contactIds);

    // Stores a new contact with its numbers and writes every new id back into them.
    bool addContact(CPPContact& contact, std::vector<CPPContactNumber>& numbers);
    // Saves an edited contact: numbers matched by text are updated, vanished texts deleted,
    // new texts inserted, then the contact row. A pseudo-contact (id -1) is stored first.
    bool updateContact(CPPContact& contact, std::vector<CPPContactNumber> numbers);
    // Counts one more placed call for the contact with this record's id.
    bool updateContactRow(const CPPContact& contact);
    // Deletes the contact row, then the rows of the numbers given.
    bool removeContact(const CPPContact& contact, std::vector<CPPContactNumber> numbers);
    // Deletes the contact row, then every number row, of the first stored namesake of this
    // contact (see CPPContactTable::getFirstNamesakeId). True when there is none.
    bool removeFirstNamesake(const CPPContact& contact);
    bool removeAllContactsFromPhone();

    // The most-called numbers of the newest 100 placed calls, as contacts, sorted by a name
    // column or else left most-called first.
    std::vector<CPPContact> topFrequentContacts(int32_t count, const std::string& column, bool ascending);
    std::vector<CPPContact> loadTopFrequentContacts(int32_t count);
    static void sortContacts(std::vector<CPPContact>& contacts, ContactComparator before);

private:
    CPPContactManager() = default;
};

// Whether some entry of the list has exactly the number text of the given one.
bool containsNumber(const std::vector<CPPContactNumber>& numbers, const CPPContactNumber& number);
