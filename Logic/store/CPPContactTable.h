#pragma once

#include "Logic/store/CPPContact.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Table "Contact". Sorted reads sort in the database, texts without regard to the case of
// A-Z. Writes answer whether the statement ran. Stateless.
class CPPContactTable {
public:
    static CPPContactTable& getInstance();

    bool createTable();
    // The name index that lets getByName skip the scan; older files get it at their next open.
    bool createIndexes();
    std::vector<CPPContact> getAll();
    // column is one of the table's column names; any other text gives an empty list.
    std::vector<CPPContact> getAllOrderedBy(const std::string& column, bool ascending);
    std::vector<CPPContact> getFavorites();
    std::vector<CPPContact> getFavoritesOrderedBy(const std::string& column, bool ascending);
    std::vector<CPPContact> getNonFavoritesOrderedBy(const std::string& column, bool ascending);
    // The owner of the lowest-id number row holding exactly this text: none or one contact.
    std::vector<CPPContact> getByNumber(const std::string& number);
    // getByNumber for many numbers in a few statements: each number that has an owner maps to it.
    std::unordered_map<std::string, CPPContact> getByNumbers(const std::vector<std::string>& numbers);
    std::vector<CPPContact> getByName(const std::string& firstName, const std::string& middleInitial,
                                      const std::string& lastName);
    // The lowest id of the contacts other than this one that bear exactly its three names:
    // the one getByName would list first if this one were not stored.
    std::optional<int32_t> getFirstNamesakeId(const CPPContact& contact);

    // On success the record's id is the new row's.
    bool insert(CPPContact& contact);
    // Writes every column but isFromPhone, by id.
    bool update(const CPPContact& contact);
    // Adds one to the stored count alone, so edits made meanwhile on the screens survive.
    bool incrementCallFrequency(int32_t id);
    bool remove(const CPPContact& contact);
    bool removeAllFromPhone();

    static std::vector<CPPContact> rowsToRecords(const std::string& sql);

private:
    CPPContactTable() = default;

    std::vector<CPPContact> getOrdered(const std::string& selection, const std::string& column,
                                       bool ascending);
};
