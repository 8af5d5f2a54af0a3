#pragma once

#include "Logic/store/CPPContactNumber.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Table "ContactNumber": the numbers of the contacts, tied to them by contactId, and the
// speed-dial slots. Writes answer whether the statement ran. Stateless.
class CPPContactNumberTable {
public:
    static CPPContactNumberTable& getInstance();

    bool createTable();
    // Lookups by owner and by text stay fast on a large phone book; run on every open.
    bool createIndexes();

    std::vector<CPPContactNumber> getAll();
    std::vector<CPPContactNumber> getByNumber(const std::string& number);
    std::vector<CPPContactNumber> getBySpeedDial(int32_t slot);
    // Ordered by number text, byte by byte.
    std::vector<CPPContactNumber> getByContactId(int32_t contactId);
    // Every contact's numbers in one read, each list ordered as getByContactId orders it.
    std::unordered_map<int32_t, std::vector<CPPContactNumber>> getAllByContactId();
    // The same for the listed contacts only.
    std::unordered_map<int32_t, std::vector<CPPContactNumber>>
    getAllByContactId(const std::vector<int32_t>& contactIds);

    // One entry per row with a slot other than -1, ascending, duplicates and all.
    std::vector<int32_t> usedSpeedDials();
    // The slots 1 to 9 that no row holds.
    std::vector<int32_t> freeSpeedDials();

    // On success the record's id is the new row's.
    bool insert(CPPContactNumber& number, int32_t contactId);
    // Writes every column but contactId, by id.
    bool update(const CPPContactNumber& number);
    bool remove(const CPPContactNumber& number);
    // Every number row of one contact, in one statement.
    bool removeAllOfContact(int32_t contactId);

    static std::vector<CPPContactNumber> rowsToRecords(const std::string& sql);

private:
    CPPContactNumberTable() = default;
    // The rows of a statement ordered by contactId, grouped per contact.
    static std::unordered_map<int32_t, std::vector<CPPContactNumber>> numbersByOwner(const std::string& sql);
};
