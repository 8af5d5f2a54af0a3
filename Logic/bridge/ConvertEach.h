#pragma once

#include <type_traits>
#include <vector>

// The list form of a one-object conversion between the store's records and the models: each
// entry converted in order, into a list reserved once.
template <typename Entries, typename Convert>
auto convertEach(const Entries& entries, Convert convert) {
    std::vector<std::invoke_result_t<Convert&, const typename Entries::value_type&>> converted;
    converted.reserve(entries.size());
    for (const auto& entry : entries)
        converted.push_back(convert(entry));
    return converted;
}
