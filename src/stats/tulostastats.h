#pragma once
// The stat file in the game's layout, with the totals and the extra statistics.
#include "model/level.h"
#include "model/totalit.h"
#include "util/kello.h"

#include <iosfwd>
#include <vector>

namespace vt {

// `kerrytyt`: the totals of these levels already accumulated with the same rows and totals
// as these options give (`laskeKokoelmanTotalit`, before the penalties); they are then not
// counted again, and the console still reports the counting. `muisti`: the totals counted
// for an earlier writer of the session, served when they were counted from the same.
void tulostaStats(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                  bool header, const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                  const Kello &kello, const std::vector<Pelaaja> *kerrytyt = nullptr,
                  TotaliMuisti *muisti = nullptr);

} // namespace vt
