#pragma once
// What loading one file added to the collection: the counts, the levels with a new best time
// and the players and teams that are new, and the lines that report it.
#include "model/aika.h"
#include "model/level.h"
#include "model/tulostusasetukset.h"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace vt {

// The collection as it was before a file was loaded.
struct EnnenLatausta {
    std::size_t levelit = 0;
    unsigned long long ajat = 0;
    std::vector<Aika> parhaat;             // the best time of every level, in order
    std::unordered_set<std::string> nimet; // the names of the totals (stat files only)
};

struct Latausraportti {
    std::size_t levelejaLisatty = 0;
    unsigned long long aikojaLisatty = 0;
    bool loki = false;                     // a battle log: only the counts are reported
    std::vector<std::size_t> uudetParhaat; // level numbers (from 1), new levels included
    std::vector<std::string> pelaajat;     // added players, by name without regard to case
    std::vector<std::string> tiimit;       // added teams, likewise
};

// Taken before loading; `loki` skips the names, which a battle log does not report.
EnnenLatausta muistaEnnenLatausta(const std::vector<Level> &levelit,
                                  const Tulostusasetukset &asetukset, bool loki);

// Compares the collection after loading with `ennen`.
Latausraportti laskeLatausraportti(const EnnenLatausta &ennen, const std::vector<Level> &levelit,
                                   const Tulostusasetukset &asetukset,
                                   const std::vector<unsigned> &pistetaulukko, bool loki);

// The report's lines: "N levels and M times added. ", then for a stat file the new best times
// and the added players and teams.
std::string latausraporttiTeksti(const Latausraportti &r);

} // namespace vt
