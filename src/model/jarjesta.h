#pragma once
// The one ranking routine. Every ranking of the program is this exchange sort: for each i,
// for every later j, exchange the two when the rule says so. Its order of equal keys is part
// of the output, so no call site may use std::sort instead.
#include <cstddef>
#include <utility>
#include <vector>

namespace vt {

template <class T, class Vaihda> void vaihtojarjesta(std::vector<T> &v, Vaihda vaihda) {
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = i + 1; j < v.size(); ++j)
            if (vaihda(v[i], v[j])) {
                using std::swap;
                swap(v[i], v[j]);
            }
}

} // namespace vt
