#pragma once

#include "Logic/store/CPPCallLog.h"

#include <cstdint>
#include <string>
#include <vector>

// Table "CallLog". Reads come newest first by their date and time texts; writes answer
// whether the statement ran. Stateless.
class CPPCallLogTable {
public:
    static CPPCallLogTable& getInstance();

    bool createTable();
    std::vector<CPPCallLog> getAll();
    std::vector<CPPCallLog> getByCallType(int32_t callType);
    std::vector<CPPCallLog> getAllUnordered();
    // On success the record's id is the new row's.
    bool insert(CPPCallLog& callLog);
    bool update(const CPPCallLog& callLog);
    bool remove(const CPPCallLog& callLog);
    bool removeAll();

    static std::vector<CPPCallLog> rowsToRecords(const std::string& sql);

private:
    CPPCallLogTable() = default;
};
