#include "Logic/store/CPPContactSorting.h"

namespace {

bool isPseudo(const CPPContact& contact) {
    return contact.getId() == -1;
}

// -1 when only a has a row, 1 when only b has one, 0 when both or neither do.
int rowOrder(const CPPContact& a, const CPPContact& b) {
    return isPseudo(a) == isPseudo(b) ? 0 : (isPseudo(a) ? 1 : -1);
}

} // namespace

std::string stripAtSuffix(const std::string& number) {
    return number.substr(0, number.find('@'));
}

void sortByCallCount(std::vector<NumberCallCount>& counts) {
    selectionSort(counts,
                  [](const NumberCallCount& a, const NumberCallCount& b) { return a.second > b.second; });
}

// Unknown numbers carry only the number as first name: under the first-name orders they
// stand by call count in both directions.
bool compareByFirstNameAscending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return isPseudo(a) ? a.getCallFrequency() > b.getCallFrequency() : a.getFirstName() < b.getFirstName();
}

bool compareByFirstNameDescending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return isPseudo(a) ? a.getCallFrequency() > b.getCallFrequency() : b.getFirstName() < a.getFirstName();
}

bool compareByLastNameAscending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return a.getLastName() < b.getLastName();
}

bool compareByLastNameDescending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return b.getLastName() < a.getLastName();
}

bool compareByCompanyAscending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return a.getCompany() < b.getCompany();
}

bool compareByCompanyDescending(const CPPContact& a, const CPPContact& b) {
    if (const int order = rowOrder(a, b); order != 0)
        return order < 0;
    return b.getCompany() < a.getCompany();
}
