#pragma once
// The stat file in the game's layout, with the totals and the extra statistics.
#include "model/level.h"
#include "model/totalit.h"
#include "util/kello.h"

#include <iosfwd>
#include <vector>

namespace vt {

void tulostaStats(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                  bool header, const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                  const Kello &kello);

} // namespace vt
