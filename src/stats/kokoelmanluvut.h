#pragma once
// The figures the stat file and the HTML page print after the levels, computed apart from
// either layout: the totals of players and teams, the anonymous total, the shortest and
// longest level and the counts of best times.
#include "model/level.h"
#include "model/totalit.h"

#include <cstddef>
#include <vector>

namespace vt {

struct Kokoelmanluvut {
    // The player rows of the totals, best total first. Multiplayer names ("A, B") only when
    // multiplayer times are printed.
    std::vector<Pelaaja> pelaajat;
    // The team rows of the totals, best total first; none without team statistics.
    std::vector<Pelaaja> tiimit;
    AnonyymiSumma anonyymi;

    // The extra statistics, only when they are printed.
    AariLevelit aari;
    // Every player row (multiplayer names too) and the team rows, by count of best times: the
    // rows by total ranked again as a whole (teams among them), so the order of equal counts
    // is the one the exchange ranking of all the rows gives.
    std::vector<Pelaaja> parhaatPelaajat;
    std::vector<Pelaaja> parhaatTiimit;
    // The length in bytes of the longest name among all the rows.
    std::size_t pisinNimi = 0;
};

// The levels the writers list, whose count the penalties are counted over.
unsigned listattujenLkm(const std::vector<Level> &levels, const Tulostusasetukset &options);

// The sum of the winning times of the single player or multiplayer runs of the listed levels.
Aika listattujenVoittoajat(const std::vector<Level> &levels, const Tulostusasetukset &options,
                           bool multi);

// The figures from the rows of the totals already ranked by total time (penalties added).
Kokoelmanluvut laskeKokoelmanluvut(std::vector<Pelaaja> sijoitetut,
                                   const std::vector<Level> &levels,
                                   const Tulostusasetukset &options);

} // namespace vt
