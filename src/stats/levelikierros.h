#pragma once
// The walk over the levels that both stat-file layouts share: single player times first, then
// multiplayer times when they are printed, each level numbered among the listed ones.
#include "model/level.h"

#include <functional>
#include <iosfwd>
#include <vector>

namespace vt {

struct Levelikierros {
    std::function<void(bool multi)> alku;
    std::function<void(bool multi, unsigned numero, const Level &level)> rivi;
    std::function<void(bool multi)> loppu;
};

// Returns the number of levels left out of the listing.
unsigned kayLevelit(const std::vector<Level> &levels, const Tulostusasetukset &options,
                    std::ostream &konsoli, const Levelikierros &kierros);

} // namespace vt
