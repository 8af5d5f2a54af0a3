#include "Logic/store/CPPContactManager.h"

#include "Logic/common/Codes.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"

#include <algorithm>
#include <map>

namespace {

// Only the newest placed calls count toward the most-called list.
constexpr size_t recentPlacedCalls = 100;

void moveFirstDefaultToFront(std::vector<CPPContactNumber>& numbers) {
    const auto first = std::find_if(numbers.begin(), numbers.end(),
                                    [](const CPPContactNumber& number) { return number.isDefault(); });
    if (first != numbers.end())
        std::rotate(numbers.begin(), first, first + 1);
}

} // namespace

CPPContactManager& CPPContactManager::getInstance() {
    static CPPContactManager* const instance = new CPPContactManager;
    return *instance;
}

std::vector<CPPContact> CPPContactManager::contactByNumber(const std::string& number) {
    return CPPContactTable::getInstance().getByNumber(number);
}

std::unordered_map<std::string, CPPContact>
CPPContactManager::contactsByNumbers(const std::vector<std::string>& numbers) {
    return CPPContactTable::getInstance().getByNumbers(numbers);
}

std::vector<CPPContact> CPPContactManager::contactByName(const std::string& firstName,
                                                         const std::string& middleInitial,
                                                         const std::string& lastName) {
    return CPPContactTable::getInstance().getByName(firstName, middleInitial, lastName);
}

std::vector<CPPContact> CPPContactManager::allContacts() {
    return CPPContactTable::getInstance().getAll();
}

std::vector<CPPContact> CPPContactManager::allContactsSortedByFirstName(bool ascending) {
    return CPPContactTable::getInstance().getAllOrderedBy("firstName", ascending);
}

std::vector<CPPContact> CPPContactManager::allContactsSortedByLastName(bool ascending) {
    return CPPContactTable::getInstance().getAllOrderedBy("lastName", ascending);
}

std::vector<CPPContact> CPPContactManager::allContactsSortedByCompany(bool ascending) {
    return CPPContactTable::getInstance().getAllOrderedBy("company", ascending);
}

std::vector<CPPContact> CPPContactManager::allFavoriteContacts() {
    return favoriteContacts("callFrequency", false);
}

std::vector<CPPContact> CPPContactManager::allFavoriteContactsSortedByFirstName(bool ascending) {
    return favoriteContacts("firstName", ascending);
}

std::vector<CPPContact> CPPContactManager::allFavoriteContactsSortedByLastName(bool ascending) {
    return favoriteContacts("lastName", ascending);
}

std::vector<CPPContact> CPPContactManager::allFavoriteContactsSortedByCompany(bool ascending) {
    return favoriteContacts("company", ascending);
}

std::vector<CPPContact> CPPContactManager::allFavoriteContactsSortedByCallFrequency(bool ascending) {
    return favoriteContacts("callFrequency", ascending);
}

std::vector<CPPContact> CPPContactManager::favoriteContacts(const std::string& column, bool ascending) {
    // Read afresh each time, so a changed preference shows on the next listing.
    const CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    if (preferences.getAutomaticallyManagesFavorites())
        return topFrequentContacts(preferences.getMostFrequentlyCalledNumbers(), column, ascending);
    return CPPContactTable::getInstance().getFavoritesOrderedBy(column, ascending);
}

std::vector<CPPContact> CPPContactManager::allNonFavorites() {
    return CPPContactTable::getInstance().getNonFavoritesOrderedBy("firstName", true);
}

std::vector<CPPContact> CPPContactManager::allNonFavoriteContactsSortedByFirstName(bool ascending) {
    return CPPContactTable::getInstance().getNonFavoritesOrderedBy("firstName", ascending);
}

std::vector<CPPContact> CPPContactManager::allNonFavoriteContactsSortedByLastName(bool ascending) {
    return CPPContactTable::getInstance().getNonFavoritesOrderedBy("lastName", ascending);
}

std::vector<CPPContact> CPPContactManager::allNonFavoriteContactsSortedByCompany(bool ascending) {
    return CPPContactTable::getInstance().getNonFavoritesOrderedBy("company", ascending);
}

std::vector<CPPContact> CPPContactManager::allNonFavoriteContactsSortedByCallFrequency(bool ascending) {
    return CPPContactTable::getInstance().getNonFavoritesOrderedBy("callFrequency", ascending);
}

std::vector<CPPContactNumber> CPPContactManager::numbersOfContact(const CPPContact& contact) {
    std::vector<CPPContactNumber> numbers =
        CPPContactNumberTable::getInstance().getByContactId(contact.getId());
    moveFirstDefaultToFront(numbers);
    return numbers;
}

std::unordered_map<int32_t, std::vector<CPPContactNumber>> CPPContactManager::numbersOfAllContacts() {
    auto numbersByContact = CPPContactNumberTable::getInstance().getAllByContactId();
    for (auto& [contactId, numbers] : numbersByContact)
        moveFirstDefaultToFront(numbers);
    return numbersByContact;
}

std::unordered_map<int32_t, std::vector<CPPContactNumber>>
CPPContactManager::numbersOfContacts(const std::vector<int32_t>& contactIds) {
    auto numbersByContact = CPPContactNumberTable::getInstance().getAllByContactId(contactIds);
    for (auto& [contactId, numbers] : numbersByContact)
        moveFirstDefaultToFront(numbers);
    return numbersByContact;
}

bool CPPContactManager::addContact(CPPContact& contact, std::vector<CPPContactNumber>& numbers) {
    if (!CPPContactTable::getInstance().insert(contact))
        return false;
    for (CPPContactNumber& number : numbers) {
        if (!CPPContactNumberTable::getInstance().insert(number, contact.getId()))
            return false;
    }
    return true;
}

bool CPPContactManager::updateContact(CPPContact& contact, std::vector<CPPContactNumber> numbers) {
    if (contact.getId() == -1) {
        std::vector<CPPContactNumber> added = numbers;
        if (!addContact(contact, added))
            return false;
    }
    CPPContactNumberTable& numberTable = CPPContactNumberTable::getInstance();
    const std::vector<CPPContactNumber> stored = numberTable.getByContactId(contact.getId());

    // Texts decide: a kept text is updated under the caller's id, a vanished one deleted, a
    // new one inserted. So an edited text means delete and insert.
    std::vector<size_t> updates;
    std::vector<size_t> deletions;
    std::vector<size_t> insertions;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (!containsNumber(numbers, stored[i])) {
            deletions.push_back(i);
            continue;
        }
        for (size_t j = 0; j < numbers.size(); ++j) {
            if (numbers[j].getNumber() == stored[i].getNumber())
                updates.push_back(j);
        }
    }
    for (size_t k = 0; k < numbers.size(); ++k) {
        if (!containsNumber(stored, numbers[k]))
            insertions.push_back(k);
    }

    for (const size_t j : updates) {
        if (!numberTable.update(numbers[j]))
            return false;
    }
    for (const size_t i : deletions) {
        if (!numberTable.remove(stored[i]))
            return false;
    }
    for (const size_t k : insertions) {
        if (!numberTable.insert(numbers[k], contact.getId()))
            return false;
    }
    return CPPContactTable::getInstance().update(contact);
}

bool CPPContactManager::updateContactRow(const CPPContact& contact) {
    return CPPContactTable::getInstance().incrementCallFrequency(contact.getId());
}

bool CPPContactManager::removeContact(const CPPContact& contact, std::vector<CPPContactNumber> numbers) {
    if (!CPPContactTable::getInstance().remove(contact))
        return false;
    for (const CPPContactNumber& number : numbers) {
        if (!CPPContactNumberTable::getInstance().remove(number))
            return false;
    }
    return true;
}

bool CPPContactManager::removeFirstNamesake(const CPPContact& contact) {
    const std::optional<int32_t> namesakeId = CPPContactTable::getInstance().getFirstNamesakeId(contact);
    if (!namesakeId)
        return true;
    CPPContact namesake;
    namesake.setId(*namesakeId);
    if (!CPPContactTable::getInstance().remove(namesake))
        return false;
    return CPPContactNumberTable::getInstance().removeAllOfContact(*namesakeId);
}

bool CPPContactManager::removeAllContactsFromPhone() {
    return CPPContactTable::getInstance().removeAllFromPhone();
}

std::vector<CPPContact> CPPContactManager::topFrequentContacts(int32_t count, const std::string& column,
                                                               bool ascending) {
    std::vector<CPPContact> contacts = loadTopFrequentContacts(count);
    if (contacts.empty())
        return contacts;
    if (column == "firstName")
        sortContacts(contacts, ascending ? compareByFirstNameAscending : compareByFirstNameDescending);
    else if (column == "lastName")
        sortContacts(contacts, ascending ? compareByLastNameAscending : compareByLastNameDescending);
    else if (column == "company")
        sortContacts(contacts, ascending ? compareByCompanyAscending : compareByCompanyDescending);
    return contacts;
}

std::vector<CPPContact> CPPContactManager::loadTopFrequentContacts(int32_t count) {
    // Only the numbers count here, so the placed calls are read without the name fill.
    const std::vector<CPPCallLog> placed = CPPCallLogTable::getInstance().getByCallType(CallType::PLACED);
    std::map<std::string, int32_t> callsByNumber;
    for (size_t i = 0; i < placed.size() && i < recentPlacedCalls; ++i)
        ++callsByNumber[placed[i].getCallNumber()];
    std::vector<NumberCallCount> counts(callsByNumber.begin(), callsByNumber.end());
    sortByCallCount(counts);

    // A negative count takes every pair.
    const uint64_t taken = std::min<uint64_t>(counts.size(), static_cast<uint64_t>(int64_t{count}));
    std::vector<CPPContact> contacts;
    for (size_t i = 0; i < taken; ++i) {
        const std::string number = stripAtSuffix(counts[i].first);
        std::vector<CPPContact> owners = CPPContactTable::getInstance().getByNumber(number);
        if (owners.empty()) {
            // Unknown numbers are never merged: each pair gets its own entry.
            CPPContact pseudo;
            pseudo.setId(-1);
            pseudo.setFirstName(number);
            pseudo.setCallFrequency(counts[i].second);
            contacts.push_back(std::move(pseudo));
            continue;
        }
        CPPContact owner = owners.front();
        owner.setCallFrequency(counts[i].second);
        // A contact reached again through another of its numbers keeps its first count.
        if (std::find(contacts.begin(), contacts.end(), owner) == contacts.end())
            contacts.push_back(std::move(owner));
    }
    return contacts;
}

void CPPContactManager::sortContacts(std::vector<CPPContact>& contacts, ContactComparator before) {
    selectionSort(contacts, before);
}

bool containsNumber(const std::vector<CPPContactNumber>& numbers, const CPPContactNumber& number) {
    return std::any_of(numbers.begin(), numbers.end(), [&number](const CPPContactNumber& entry) {
        return entry.getNumber() == number.getNumber();
    });
}
