#pragma once
// Facts of a whole collection: the player and team totals folded in level by level, the
// penalties for levels not finished, the shortest and longest level and the anonymous total.
#include "model/level.h"
#include "model/rivihakemisto.h"
#include "model/totalimuisti.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// Levels listed by the writers: all of them, or only those with runs.
bool listataanko(const Level &level, const Tulostusasetukset &options);

// The progress of a pass over the levels: a count every 500 levels, and a last line for
// passes longer than that.
void kerroEdistyminen(std::ostream &konsoli, std::size_t tehty, std::size_t n);
void kerroValmis(std::ostream &konsoli, std::size_t n);

// The player and team totals of a whole collection, one level after the other.
// With `konsoli`, progress is reported every 500 levels (the same lines when `muisti` serves
// a count made before).
std::vector<Pelaaja> laskeKokoelmanTotalit(const std::vector<Level> &levels,
                                           const Tulostusasetukset &options,
                                           const std::vector<unsigned> &cupTaulukko,
                                           std::ostream *konsoli, TotaliMuisti *muisti = nullptr);

// The names the totals of the collection hold, in the order their rows are made, and whether
// each row is a team's: the totals without adding anything up.
struct KokoelmanNimi {
    std::string nimi;
    bool tiimi = false;
};
std::vector<KokoelmanNimi> kokoelmanNimet(const std::vector<Level> &levels, bool tiimit);

// Adds the penalty for every listed level not finished and sorts by total time.
void lisaaRangaistukset(std::vector<Pelaaja> &rivit, unsigned listattuja);

// The totals as the writers rank them: accumulated, penalised for the `listattuja` levels
// listed, best first; the work is reported on `konsoli`.
std::vector<Pelaaja> laskeSijoitetutTotalit(const std::vector<Level> &levels,
                                            const Tulostusasetukset &options,
                                            const std::vector<unsigned> &cupTaulukko,
                                            unsigned listattuja, std::ostream &konsoli,
                                            TotaliMuisti *muisti = nullptr);

// Shortest and longest level by winning time. A level won by an apple count is longer than any
// level won in a time (and the fewer apples, the longer); it is never the shortest.
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

} // namespace vt
