#include "stats/kokoelmanluvut.h"

#include "model/jarjestykset.h"

#include <algorithm>
#include <utility>

namespace vt {

namespace {

bool multiplayerNimi(const Pelaaja &p) { return p.nimi.find(',') != std::string::npos; }

// Moves the rows into the players' and the teams' lists, in their order.
void jaa(std::vector<Pelaaja> &&rivit, std::vector<Pelaaja> &pelaajat,
         std::vector<Pelaaja> &tiimit) {
    for (Pelaaja &p : rivit)
        (p.tiimi ? tiimit : pelaajat).push_back(std::move(p));
}

} // namespace

unsigned listattujenLkm(const std::vector<Level> &levels, const Tulostusasetukset &options) {
    return static_cast<unsigned>(std::count_if(
        levels.begin(), levels.end(), [&](const Level &l) { return listataanko(l, options); }));
}

Aika listattujenVoittoajat(const std::vector<Level> &levels, const Tulostusasetukset &options,
                           bool multi) {
    Aika summa;
    for (const Level &l : levels)
        if (listataanko(l, options))
            summa = summa + l.parasAika(multi);
    return summa;
}

Kokoelmanluvut laskeKokoelmanluvut(std::vector<Pelaaja> sijoitetut,
                                   const std::vector<Level> &levels,
                                   const Tulostusasetukset &options) {
    Kokoelmanluvut k;
    for (const Pelaaja &p : sijoitetut) {
        k.pisinNimi = std::max(k.pisinNimi, p.nimi.size());
        if (p.tiimi) {
            if (options.tiimit)
                k.tiimit.push_back(p);
        } else if (options.multiAjat || !multiplayerNimi(p)) {
            k.pelaajat.push_back(p);
        }
    }
    k.anonyymi = laskeAnonyymi(levels, options);
    if (!options.lisatilastot)
        return k;
    k.aari = etsiAariLevelit(levels);
    vaihtojarjesta(sijoitetut, rivitParhaidenMukaan());
    jaa(std::move(sijoitetut), k.parhaatPelaajat, k.parhaatTiimit);
    if (!options.tiimit)
        k.parhaatTiimit.clear();
    return k;
}

} // namespace vt
