#pragma once
#include "model/level.h"
#include "util/kello.h"

#include <iosfwd>
#include <vector>

namespace vt {

// The player and team totals of a whole collection, one level after the other.
// With `konsoli`, progress is reported every 500 levels.
std::vector<Pelaaja> laskeKokoelmanTotalit(const std::vector<Level> &levels,
                                           const Tulostusasetukset &options,
                                           const std::vector<unsigned> &cupTaulukko,
                                           std::ostream *konsoli);

// Levels listed by the writers: all of them, or only those with runs.
bool listataanko(const Level &level, const Tulostusasetukset &options);

void tulostaStats(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                  bool header, const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                  const Kello &kello);

// Shortest and longest level by winning time; levels won by an apple count take no part.
struct AariLevelit {
    const Level *lyhin = nullptr;
    const Level *pisin = nullptr;
};
AariLevelit etsiAariLevelit(const std::vector<Level> &levels);

// Finished levels and winning-time sum of the anonymous total.
struct AnonyymiSumma {
    Aika total;
    Aika voittoajat;
    unsigned lapaistyja = 0;
};
AnonyymiSumma laskeAnonyymi(const std::vector<Level> &levels, const Tulostusasetukset &options);

// Adds the penalty for every listed level not finished and sorts by total time.
void lisaaRangaistukset(std::vector<Pelaaja> &rivit, unsigned listattuja);

} // namespace vt
