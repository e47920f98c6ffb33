#include "stats/tulostastats.h"

#include "model/jarjestykset.h"
#include "stats/levelikierros.h"
#include "util/teksti.h"

#include <algorithm>
#include <ostream>

namespace vt {

namespace {

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

} // namespace

void tulostaStats(std::ostream &out, const std::vector<Level> &levels, Tulostusasetukset options,
                  bool header, const std::vector<unsigned> &cupTaulukko, std::ostream &konsoli,
                  const Kello &kello, const std::vector<Pelaaja> *kerrytyt) {
    const size_t levelLkm = levels.size();
    if (header) {
        out << generaattoriRivi(kello);
        out << "If you modify this file, you will loose the\n";
        out << "changes next time you run the game. This is only an output file, the\n";
        out << "best times are stored in the LEV files or in the STATE.DAT binary file.\n\n";
    }

    const unsigned piilotettuja =
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

    out << "The following are the single player total times for individual players.\n";
    out << "If a player doesn't have a time in the top ten for a level, this\n";
    out << (options.lapaistyt ? "will add ten minutes to the total time and show how many levs has "
                                "been finished.\n"
                              : "will add ten minutes to the total time.\n");
    const auto listattuja = static_cast<unsigned>(levelLkm - piilotettuja);
    std::vector<Pelaaja> rivit;
    if (kerrytyt) {
        // The same lines as counting them would write.
        konsoli << "Calculating total times...\n";
        for (size_t i = 1; i <= levelLkm; ++i)
            kerroEdistyminen(konsoli, i, levelLkm);
        kerroValmis(konsoli, levelLkm);
        rivit = *kerrytyt;
        lisaaRangaistukset(rivit, listattuja);
    } else {
        rivit = laskeSijoitetutTotalit(levels, options, cupTaulukko, listattuja, konsoli);
    }

    auto totalRivi = [&](const Pelaaja &p) {
        out << p.totalAika.str() << " " << pidenna(p.nimi, 15);
        if (options.lapaistyt && p.levelienLkm < levelLkm)
            out << "(" << p.levelienLkm << " levels finished)";
        out << "\n";
    };
    for (const Pelaaja &p : rivit) {
        if (p.tiimi)
            continue;
        if (!options.multiAjat && p.nimi.find(',') != std::string::npos)
            continue;
        totalRivi(p);
    }
    if (options.tiimit) {
        bool ensimmainen = true;
        for (const Pelaaja &p : rivit) {
            if (!p.tiimi)
                continue;
            if (ensimmainen)
                out << "\nTeams:\n";
            ensimmainen = false;
            totalRivi(p);
        }
    }

    out << "\nThe following is the anonymous combined total time of the best\n";
    out << "single or multiplayer times. If there is no single or multiplayer\n";
    if (options.lapaistyt)
        out << "time for a level, this will add ten minutes to the total time\n"
               "and show how many levs has been finished.\n";
    else
        out << "time for a level, this will add ten minutes to the total time.\n";
    AnonyymiSumma anon = laskeAnonyymi(levels, options);
    out << anon.total.str();
    if (options.lapaistyt && anon.lapaistyja < levelLkm)
        out << "    (" << anon.lapaistyja << " levels finished) ";
    out << "\n\n";

    if (!options.lisatilastot)
        return;
    konsoli << "Generating extra statistics...\n";
    out << "Extra statistics: \n";
    AariLevelit aari = etsiAariLevelit(levels);
    if (aari.lyhin)
        out << "  Shortest level was " << aari.lyhin->annaNimi() << " with winning time "
            << aari.lyhin->parasAika().str() << "\n";
    if (aari.pisin)
        out << "  Longest level was " << aari.pisin->annaNimi() << " with winning time "
            << aari.pisin->parasAika().str() << "\n";
    if (anon.lapaistyja > 0)
        out << "  Average winning time was " << (anon.voittoajat / anon.lapaistyja).str() << "\n";

    vaihtojarjesta(rivit, rivitParhaidenMukaan());
    size_t w = 12;
    for (const Pelaaja &p : rivit)
        w = std::max(w, p.nimi.size());
    out << "  Amount of best times of players: \n";
    unsigned numero = 0;
    for (const Pelaaja &p : rivit) {
        if (p.tiimi)
            continue;
        out << "    " << pidenna(int2string(++numero) + ".", 5)
            << pidenna(p.nimi, static_cast<unsigned>(w + 3)) << parhaatLoppu(p) << "\n";
    }
    if (options.tiimit) {
        unsigned t = 0;
        for (const Pelaaja &p : rivit) {
            if (!p.tiimi)
                continue;
            if (t == 0)
                out << "\n  Amount of best times of teams: \n";
            out << "    " << ++t << ". " << pidenna(p.nimi, 20) << parhaatLoppu(p) << "\n";
        }
    }
    out << "\n";
}

} // namespace vt
