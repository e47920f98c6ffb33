#pragma once
// Cup tables: one level's results with points, and the overall standings.
#include "model/level.h"
#include "model/totalimuisti.h"
#include "util/kello.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// Points kept in 1/CUP_YKSIKKO units as text: at most two decimals, never in exponent form.
std::string pisteTeksti(std::uint64_t arvo);

// The standings order: higher totals first; equal totals by the earliest level where the
// points differ, the one with more there first.
// The point lists are the sparse ones (`Pelaaja::cupHarva`), all of one length.
void jarjestaPisteilla(std::vector<Pelaaja> &rivit);

// Players under several team tags are one player: later rows of the same name without its
// tag fold into the first, in their order, and the player keeps the name of the last. Team
// rows and the order of the rest are left as they are.
// The point lists are the sparse ones, as above.
void yhdistaPelaajat(std::vector<Pelaaja> &rivit);

void tulostaYhdenKentanCupPisteet(std::ostream &out, unsigned levelIndex,
                                  const std::vector<Level> &levels,
                                  const Tulostusasetukset &options,
                                  const std::vector<unsigned> &cupTaulukko, const Kello &kello);

// The standings of all levels as the table shows them.
struct CupStandings {
    std::size_t levelit = 0;    // the levels counted
    std::size_t pituus = 0;     // the length of every point list
    std::size_t nimiLeveys = 0; // the widest name of the kind shown before the last level
    std::vector<Pelaaja> rivit; // the rows of the kind shown, ranked; `sijoitus` the position
                                // before the last level (0: none, no points then)
};

// The standings of players (or of teams), with the progress on `konsoli`.
CupStandings laskeCupStandings(const std::vector<Level> &levels, const Tulostusasetukset &options,
                               const std::vector<unsigned> &cupTaulukko, bool teams,
                               std::ostream &konsoli, TotaliMuisti *muisti = nullptr);
// The standings table; `details` adds each level's points and the earlier positions.
void kirjoitaCupStandings(std::ostream &out, const CupStandings &s, bool teams, bool details,
                          const Kello &kello);

// Both of the above, as one command.
void tulostaKaikkiCupPisteet(std::ostream &out, const std::vector<Level> &levels,
                             const Tulostusasetukset &options,
                             const std::vector<unsigned> &cupTaulukko, bool teams, bool details,
                             std::ostream &konsoli, const Kello &kello,
                             TotaliMuisti *muisti = nullptr);

} // namespace vt
