#include "stats/tulostastats.h"

#include "stats/kokoelmanluvut.h"
#include "stats/levelikierros.h"
#include "util/teksti.h"

#include <algorithm>
#include <ostream>

namespace vt {

namespace {

// The stat file's columns, in characters; a time is always Aika::str()'s width.
struct StatsSarakkeet {
    unsigned totalNimi;            // the name after a total time
    unsigned parhaatNumero;        // "12." before a player's count of best times
    unsigned parhaatNimiVahintaan; // the players' name column of the best times: the longest
    unsigned parhaatNimiVali;      //   name of any row, at least this, and this many more
    unsigned tiimiParhaatNimi;     // a team's name before its count of best times
};
constexpr StatsSarakkeet SARAKKEET{15, 5, 12, 3, 20};

std::string levelLista(const std::vector<unsigned> &numerot) {
    std::string r;
    for (size_t i = 0; i < numerot.size(); ++i) {
        if (i > 0)
            r += (i + 1 == numerot.size()) ? " and " : ", ";
        r += int2string(numerot[i]);
    }
    return r;
}

std::string parhaatLoppu(const Pelaaja &p) {
    std::string r = int2string(p.parhaidenLkm) + " best time";
    if (p.parhaidenLkm == 1)
        r += " in level ";
    else if (p.parhaidenLkm == 0)
        r += "s";
    else
        r += "s in levels ";
    return r + levelLista(p.parhaatLevelit);
}

void tulostaAlku(std::ostream &out, const Kello &kello) {
    out << generaattoriRivi(kello);
    out << "If you modify this file, you will loose the\n";
    out << "changes next time you run the game. This is only an output file, the\n";
    out << "best times are stored in the LEV files or in the STATE.DAT binary file.\n\n";
}

void tulostaLevelit(std::ostream &out, const std::vector<Level> &levels,
                    const Tulostusasetukset &options, std::ostream &konsoli) {
    kayLevelit(levels, options, konsoli,
               {[&](bool multi) {
                    out << (multi ? "Multiplayer times: \n\n" : "Single player times: \n\n");
                },
                [&](bool multi, unsigned numero, const Level &level) {
                    out << "  Level " << numero << ", " << level.annaNimi() << ":\n";
                    level.tulostaAjot(out, options, multi, false);
                    out << "\n";
                },
                [&](bool) { out << "\n"; }});
}

void tulostaTotalienSelitys(std::ostream &out, const Tulostusasetukset &options) {
    out << "The following are the single player total times for individual players.\n";
    out << "If a player doesn't have a time in the top ten for a level, this\n";
    out << (options.lapaistyt ? "will add ten minutes to the total time and show how many levs has "
                                "been finished.\n"
                              : "will add ten minutes to the total time.\n");
}

// The totals ranked by total time. Rows already accumulated are not counted again, but the
// console gets the same lines as counting them would write.
std::vector<Pelaaja> sijoitetutTotalit(const std::vector<Level> &levels,
                                       const Tulostusasetukset &options,
                                       const std::vector<unsigned> &cupTaulukko,
                                       std::ostream &konsoli, const std::vector<Pelaaja> *kerrytyt,
                                       TotaliMuisti *muisti) {
    const unsigned listattuja = listattujenLkm(levels, options);
    if (!kerrytyt)
        return laskeSijoitetutTotalit(levels, options, cupTaulukko, listattuja, konsoli, muisti);
    konsoli << "Calculating total times...\n";
    for (size_t i = 1; i <= levels.size(); ++i)
        kerroEdistyminen(konsoli, i, levels.size());
    kerroValmis(konsoli, levels.size());
    std::vector<Pelaaja> rivit = *kerrytyt;
    lisaaRangaistukset(rivit, listattuja);
    return rivit;
}

void tulostaTotalRivi(std::ostream &out, const Pelaaja &p, const Tulostusasetukset &options,
                      size_t levelLkm) {
    out << p.totalAika.str() << " " << pidenna(p.nimi, SARAKKEET.totalNimi);
    if (options.lapaistyt && p.levelienLkm < levelLkm)
        out << "(" << p.levelienLkm << " levels finished)";
    out << "\n";
}

void tulostaTotalit(std::ostream &out, const Kokoelmanluvut &luvut,
                    const Tulostusasetukset &options, size_t levelLkm) {
    for (const Pelaaja &p : luvut.pelaajat)
        tulostaTotalRivi(out, p, options, levelLkm);
    if (!luvut.tiimit.empty())
        out << "\nTeams:\n";
    for (const Pelaaja &p : luvut.tiimit)
        tulostaTotalRivi(out, p, options, levelLkm);
}

void tulostaAnonyymi(std::ostream &out, const AnonyymiSumma &anon, const Tulostusasetukset &options,
                     size_t levelLkm) {
    out << "\nThe following is the anonymous combined total time of the best\n";
    out << "single or multiplayer times. If there is no single or multiplayer\n";
    if (options.lapaistyt)
        out << "time for a level, this will add ten minutes to the total time\n"
               "and show how many levs has been finished.\n";
    else
        out << "time for a level, this will add ten minutes to the total time.\n";
    out << anon.total.str();
    if (options.lapaistyt && anon.lapaistyja < levelLkm)
        out << "    (" << anon.lapaistyja << " levels finished) ";
    out << "\n\n";
}

void tulostaParhaat(std::ostream &out, const Kokoelmanluvut &luvut) {
    const auto leveys =
        static_cast<unsigned>(std::max<size_t>(SARAKKEET.parhaatNimiVahintaan, luvut.pisinNimi) +
                              SARAKKEET.parhaatNimiVali);
    out << "  Amount of best times of players: \n";
    unsigned numero = 0;
    for (const Pelaaja &p : luvut.parhaatPelaajat)
        out << "    " << pidenna(int2string(++numero) + ".", SARAKKEET.parhaatNumero)
            << pidenna(p.nimi, leveys) << parhaatLoppu(p) << "\n";
    if (!luvut.parhaatTiimit.empty())
        out << "\n  Amount of best times of teams: \n";
    numero = 0;
    for (const Pelaaja &p : luvut.parhaatTiimit)
        out << "    " << ++numero << ". " << pidenna(p.nimi, SARAKKEET.tiimiParhaatNimi)
            << parhaatLoppu(p) << "\n";
}

void tulostaLisatilastot(std::ostream &out, const Kokoelmanluvut &luvut) {
    out << "Extra statistics: \n";
    if (const Level *l = luvut.aari.lyhin)
        out << "  Shortest level was " << l->annaNimi() << " with winning time "
            << l->parasAika().str() << "\n";
    if (const Level *l = luvut.aari.pisin)
        out << "  Longest level was " << l->annaNimi() << " with winning time "
            << l->parasAika().str() << "\n";
    if (luvut.anonyymi.lapaistyja > 0)
        out << "  Average winning time was "
            << (luvut.anonyymi.voittoajat / luvut.anonyymi.lapaistyja).str() << "\n";
    tulostaParhaat(out, luvut);
    out << "\n";
}

} // namespace

// `out` and `konsoli` may be one screen (the collection shown), so the console's lines come
// between the parts of the file as the work goes: the totals are counted after their
// explanation is written, and the extra statistics are announced before they are written.
void tulostaStats(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                  bool header, const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                  const Kello &kello, const std::vector<Pelaaja> *kerrytyt, TotaliMuisti *muisti) {
    if (header)
        tulostaAlku(out, kello);
    tulostaLevelit(out, levels, options, konsoli);
    tulostaTotalienSelitys(out, options);
    const Kokoelmanluvut luvut = laskeKokoelmanluvut(
        sijoitetutTotalit(levels, options, cupTaulukko, konsoli, kerrytyt, muisti), levels,
        options);
    tulostaTotalit(out, luvut, options, levels.size());
    tulostaAnonyymi(out, luvut.anonyymi, options, levels.size());
    if (!options.lisatilastot)
        return;
    konsoli << "Generating extra statistics...\n";
    tulostaLisatilastot(out, luvut);
}

} // namespace vt
