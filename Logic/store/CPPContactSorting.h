#pragma once

#include "Logic/store/CPPContact.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The orders of the most-called list. Texts compare as plain byte strings (case-sensitive);
// contacts with a row always stand before the pseudo-contacts (id -1) of unknown numbers.

using NumberCallCount = std::pair<std::string, int32_t>;
using ContactComparator = bool (*)(const CPPContact& a, const CPPContact& b);

// Selection sort with swaps: for each place, the first entry that stands before all later
// ones moves there. Kept exact because the order of ties is visible on the favorites screen.
template <typename T, typename Before>
void selectionSort(std::vector<T>& items, Before before) {
    for (size_t place = 0; place + 1 < items.size(); ++place) {
        size_t best = place;
        for (size_t candidate = place + 1; candidate < items.size(); ++candidate) {
            if (before(items[candidate], items[best]))
                best = candidate;
        }
        if (best != place)
            std::swap(items[place], items[best]);
    }
}

// The text before the first "@", or the whole text.
std::string stripAtSuffix(const std::string& number);

// Highest count first, by an exact selection sort: ties end where the swaps leave them.
void sortByCallCount(std::vector<NumberCallCount>& counts);

bool compareByFirstNameAscending(const CPPContact& a, const CPPContact& b);
bool compareByFirstNameDescending(const CPPContact& a, const CPPContact& b);
bool compareByLastNameAscending(const CPPContact& a, const CPPContact& b);
bool compareByLastNameDescending(const CPPContact& a, const CPPContact& b);
bool compareByCompanyAscending(const CPPContact& a, const CPPContact& b);
bool compareByCompanyDescending(const CPPContact& a, const CPPContact& b);
