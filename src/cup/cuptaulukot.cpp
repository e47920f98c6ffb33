#include "cup/cuptaulukot.h"

#include "model/jarjesta.h"
#include "model/pisteet.h"
#include "model/totalit.h"
#include "util/teksti.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <unordered_map>

namespace vt {

std::string pisteTeksti(std::uint64_t arvo) {
    // Whole points are written as they are whatever their size, as the rule below writes
    // them too.
    if (arvo % CUP_YKSIKKO == 0)
        return int2string(arvo / CUP_YKSIKKO);
    double x = static_cast<double>(arvo) / CUP_YKSIKKO;
    int merkitsevia;
    if (x < 1)
        merkitsevia = 2;
    else if (x < 10)
        merkitsevia = 3;
    else if (x < 100)
        merkitsevia = 4;
    else if (x < 1000)
        merkitsevia = 5;
    else if (x < 10000)
        merkitsevia = 6;
    else
        merkitsevia = 7;
    // Large totals keep every whole digit and two decimals.
    std::uint64_t kokonaiset = arvo / CUP_YKSIKKO;
    int numeroita = static_cast<int>(int2string(kokonaiset).size());
    if (numeroita > 7)
        merkitsevia = numeroita + 2;
    char puskuri[64];
    std::snprintf(puskuri, sizeof puskuri, "%.*g", merkitsevia, x);
    return puskuri;
}

namespace {

std::string oikealle(const std::string &s, size_t leveys) {
    return s.size() >= leveys ? s : std::string(leveys - s.size(), ' ') + s;
}

std::uint64_t summa(const Pelaaja &p) { return p.cupHarva.summa(); }

struct Sijoitettava {
    std::uint64_t summa = 0;
    Pelaaja p;
    std::uint32_t arvo = 0; // rank in the standings order, equal rows equal
};

// Appends the points right-aligned in `leveys` characters, as oikealle(pisteTeksti(arvo))
// would, without a text per value: a detailed table holds one per player and level.
void lisaaPisteet(std::string &rivi, std::uint64_t arvo, size_t leveys) {
    static constexpr char TYHJAT[] = "            ";
    if (arvo == 0 && leveys >= 1 && leveys < sizeof TYHJAT) { // most cells of a wide table
        rivi.append(TYHJAT, leveys - 1).push_back('0');
        return;
    }
    char puskuri[24];
    const char *alku = puskuri;
    size_t pituus;
    std::string muu;
    if (arvo % CUP_YKSIKKO == 0) {
        pituus = static_cast<size_t>(
            std::to_chars(puskuri, puskuri + sizeof puskuri, arvo / CUP_YKSIKKO).ptr - puskuri);
    } else {
        muu = pisteTeksti(arvo);
        alku = muu.data();
        pituus = muu.size();
    }
    for (size_t puuttuu = leveys > pituus ? leveys - pituus : 0; puuttuu > 0;) {
        const size_t osa = std::min(puuttuu, sizeof TYHJAT - 1);
        rivi.append(TYHJAT, osa);
        puuttuu -= osa;
    }
    rivi.append(alku, pituus);
}

} // namespace

void yhdistaPelaajat(std::vector<Pelaaja> &rivit) {
    std::unordered_map<std::string, size_t> ensimmainen; // name without tag -> row kept
    ensimmainen.reserve(rivit.size());
    // The (place, points) pairs of the rows folded into each kept row: its list is made once,
    // at the end, not again at every row folded into it (a name under many tags).
    std::unordered_map<size_t, std::vector<HarvaLista::Pari>> lisat;
    size_t kohde = 0;
    for (size_t s = 0; s < rivit.size(); ++s) {
        if (!rivit[s].tiimi) {
            const auto [it, uusi] = ensimmainen.emplace(rivit[s].pelkkaNimi(), kohde);
            if (!uusi) {
                Pelaaja &a = rivit[it->second];
                Pelaaja &b = rivit[s];
                a.totalAika = a.totalAika + b.totalAika;
                a.nimi = std::move(b.nimi);
                a.parhaidenLkm += b.parhaidenLkm;
                b.cupHarva.lisaaParit(lisat[it->second]);
                continue;
            }
        }
        if (kohde != s)
            rivit[kohde] = std::move(rivit[s]);
        ++kohde;
    }
    rivit.resize(kohde);
    for (auto &[rivi, v] : lisat) {
        Pelaaja &a = rivit[rivi];
        a.cupHarva.lisaaParit(v);
        a.cupHarva = HarvaLista::parista(std::move(v));
    }
}

void jarjestaPisteilla(std::vector<Pelaaja> &rivit) {
    std::vector<Sijoitettava> v;
    v.reserve(rivit.size());
    for (Pelaaja &p : rivit)
        v.push_back({summa(p), std::move(p), 0});
    // The rule is "more points first, then more points in the earliest level where they
    // differ": each row's rank in that order is its key, found without copying the lists.
    auto ennen = [&](std::uint32_t x, std::uint32_t y) {
        const Sijoitettava &a = v[x];
        const Sijoitettava &b = v[y];
        if (a.summa != b.summa)
            return a.summa > b.summa;
        return HarvaLista::vertaa(a.p.cupHarva, b.p.cupHarva) < 0;
    };
    std::vector<std::uint32_t> jarjestyksessa(v.size());
    for (std::uint32_t i = 0; i < jarjestyksessa.size(); ++i)
        jarjestyksessa[i] = i;
    std::sort(jarjestyksessa.begin(), jarjestyksessa.end(), ennen);
    std::uint32_t arvo = 0;
    for (size_t k = 0; k < jarjestyksessa.size(); ++k) {
        if (k > 0 && ennen(jarjestyksessa[k - 1], jarjestyksessa[k]))
            ++arvo;
        v[jarjestyksessa[k]].arvo = arvo;
    }
    auto avain = [](const Sijoitettava &s) { return std::optional<std::uint32_t>(s.arvo); };
    // As stated: on equal sums, from the last level down, every level where the later row
    // has more exchanges the two; the last exchange is at the earliest level they differ.
    auto saanto = [](const Sijoitettava &s, const Sijoitettava &q) {
        if (q.summa != s.summa)
            return q.summa > s.summa;
        return HarvaLista::vertaa(q.p.cupHarva, s.p.cupHarva) < 0;
    };
    vaihtojarjesta(v, jarjestys(saanto, avain));
    rivit.clear();
    for (Sijoitettava &s : v)
        rivit.push_back(std::move(s.p));
}

namespace {

// The one-level table's columns, in characters.
struct LevelSarakkeet {
    size_t nimiVahintaan; // the name column is the widest name, at least this
    size_t sija;          // the position
    size_t nimenJalkeen;  // beside the widest name
    size_t otsikonNimi;   // the heading's name column is the widest name and this
    size_t pisteet;
    size_t viivanLisa; // the rule under the heading is the widest name and this
};
constexpr LevelSarakkeet YKSI_LEVEL{12, 6, 1, 6, 10, 31};

} // namespace

void tulostaYhdenKentanCupPisteet(std::ostream &out, unsigned levelIndex,
                                  const std::vector<Level> &levels,
                                  const Tulostusasetukset &options,
                                  const std::vector<unsigned> &cupTaulukko, const Kello &kello) {
    const LevelSarakkeet &c = YKSI_LEVEL;
    std::vector<Pelaaja> rivit;
    const Level &level = levels[levelIndex];
    level.laskeTotalTimet(rivit, options, cupTaulukko, levelIndex + 1, true);
    out << "Level " << (levelIndex + 1) << ", " << level.annaNimi() << " results: \n\n";
    size_t w = c.nimiVahintaan;
    for (const Pelaaja &p : rivit)
        w = std::max(w, p.nimi.size());
    out << " Pos.  "
        << pidenna(std::string("Player [Team]"), static_cast<unsigned>(w + c.otsikonNimi))
        << "Time       Points\n";
    out << std::string(w + c.viivanLisa, '-') << "\n";
    unsigned laskuri = 0;
    const Pelaaja *edellinen = nullptr;
    for (const Pelaaja &p : rivit) {
        if (p.tiimi)
            continue;
        ++laskuri;
        const unsigned pisteet = p.cupPisteet.empty() ? 0 : p.cupPisteet[0];
        out << " ";
        if (edellinen && edellinen->cupPisteet[0] == pisteet && edellinen->totalAika == p.totalAika)
            out << std::string(c.sija, ' ');
        else
            out << pidenna(int2string(laskuri) + ".", static_cast<unsigned>(c.sija));
        out << pidenna(p.nimi, static_cast<unsigned>(w + c.nimenJalkeen)) << p.totalAika.str()
            << oikealle(pisteTeksti(pisteet), c.pisteet) << "\n";
        edellinen = &p;
    }
    out << "\n" << generaattoriRivi(kello);
}

namespace {

// The standings table's columns, in characters.
struct StandingsSarakkeet {
    size_t nimiVahintaan; // the name column is the widest name, at least this
    size_t nimenJalkeen;  // beside the widest name
    size_t sija;          // the position, with details also the one before the last level
    size_t level;         // each level's points, with details
    size_t ennenTotalia;  // the gap before the total
    size_t total;
    size_t viivanLisa; // the rule under the heading is the name column and this (and the levels)
};
constexpr StandingsSarakkeet STANDINGS{12, 1, 10, 7, 3, 12, 29};

// Every level but the last on the rows, player rows of one name folded into one unless teams
// are asked; the length of every list is left in `pituus`.
std::vector<Pelaaja> kaikkiPaitsiViimeinen(const std::vector<Level> &levels,
                                           const Tulostusasetukset &options,
                                           const std::vector<unsigned> &cupTaulukko, bool teams,
                                           std::ostream &konsoli, size_t &pituus,
                                           TotaliMuisti *muisti) {
    const size_t n = levels.size();
    if (muisti && n > 0) {
        // The same count for players and for teams: only the folding below differs.
        const TotaliMuisti::Tulos &t = muisti->hae(levels, n - 1, options, cupTaulukko, true, [&] {
            std::ostringstream hiljaa;
            TotaliMuisti::Tulos r;
            r.rivit = kaikkiPaitsiViimeinen(levels, options, cupTaulukko, true, hiljaa, r.cupPituus,
                                            nullptr);
            return r;
        });
        for (size_t i = 0; i + 1 < n; ++i)
            kerroEdistyminen(konsoli, i + 1, n);
        kerroValmis(konsoli, n);
        pituus = t.cupPituus;
        std::vector<Pelaaja> rivit = t.rivit;
        if (!teams)
            yhdistaPelaajat(rivit);
        return rivit;
    }
    std::vector<Pelaaja> rivit;
    RiviHakemisto hakemisto;
    hakemisto.harvaCup = true;
    for (size_t i = 0; i + 1 < n; ++i) {
        levels[i].laskeTotalTimet(rivit, options, cupTaulukko, static_cast<unsigned>(i + 1), true,
                                  hakemisto);
        kerroEdistyminen(konsoli, i + 1, n);
    }
    hakemisto.valmis(rivit);
    pituus = hakemisto.cupPituus;
    kerroValmis(konsoli, n);
    if (!teams)
        yhdistaPelaajat(rivit);
    return rivit;
}

// Ranks the rows and numbers those of the kind asked that have points: their places before
// the last level.
void sijoitaEnnenViimeista(std::vector<Pelaaja> &rivit, bool teams) {
    jarjestaPisteilla(rivit);
    unsigned sija = 0;
    for (Pelaaja &p : rivit) {
        if (summa(p) == 0)
            break;
        if (p.tiimi == teams)
            p.sijoitus = ++sija;
    }
}

// The last level on the standings so far, as a table of its own would count it.
void lisaaViimeinen(std::vector<Pelaaja> &rivit, const std::vector<Level> &levels,
                    const Tulostusasetukset &options, const std::vector<unsigned> &cupTaulukko,
                    size_t &pituus) {
    const size_t n = levels.size();
    RiviHakemisto viimeinen;
    viimeinen.harvaCup = true;
    viimeinen.rakenna(rivit);
    viimeinen.cupPituus = pituus;
    levels[n - 1].laskeTotalTimet(rivit, options, cupTaulukko, static_cast<unsigned>(n), true,
                                  viimeinen);
    viimeinen.valmis(rivit);
    pituus = viimeinen.cupPituus;
}

void kirjoitaStandingsOtsikko(std::ostream &out, const CupStandings &s, bool teams, bool details) {
    const StandingsSarakkeet &c = STANDINGS;
    out << " Pos." << (details ? "(old) " : "      ")
        << pidenna(std::string(teams ? "Team" : "Player [Team]"),
                   static_cast<unsigned>(s.nimiLeveys + c.nimenJalkeen));
    if (details)
        for (size_t i = 1; i <= s.levelit; ++i)
            out << oikealle(int2string(i), c.level);
    out << std::string(c.ennenTotalia, ' ') << "Total points\n";
    const size_t levelit = details ? c.level * s.levelit : 0;
    out << std::string(levelit + s.nimiLeveys + c.viivanLisa, '-') << "\n";
}

} // namespace

CupStandings laskeCupStandings(const std::vector<Level> &levels, const Tulostusasetukset &options,
                               const std::vector<unsigned> &cupTaulukko, bool teams,
                               std::ostream &konsoli, TotaliMuisti *muisti) {
    konsoli << "Calculating total points...\n";
    CupStandings s;
    s.levelit = levels.size();
    std::vector<Pelaaja> rivit =
        kaikkiPaitsiViimeinen(levels, options, cupTaulukko, teams, konsoli, s.pituus, muisti);
    s.nimiLeveys = STANDINGS.nimiVahintaan;
    for (const Pelaaja &p : rivit)
        if (p.tiimi == teams)
            s.nimiLeveys = std::max(s.nimiLeveys, p.nimi.size());
    konsoli << "Sorting players/teams...\n";
    if (rivit.size() > 200)
        konsoli << "Please wait, this will take a long time...\n";
    sijoitaEnnenViimeista(rivit, teams);
    if (!levels.empty())
        lisaaViimeinen(rivit, levels, options, cupTaulukko, s.pituus);
    if (!teams)
        yhdistaPelaajat(rivit);
    jarjestaPisteilla(rivit);
    std::erase_if(rivit, [teams](const Pelaaja &p) { return p.tiimi != teams; });
    s.rivit = std::move(rivit);
    return s;
}

void kirjoitaCupStandings(std::ostream &out, const CupStandings &s, bool teams, bool details,
                          const Kello &kello) {
    const StandingsSarakkeet &c = STANDINGS;
    out << (teams ? "Team " : "Player ") << "standings after " << s.levelit << " events: \n\n";
    kirjoitaStandingsOtsikko(out, s, teams, details);
    unsigned laskuri = 0;
    std::uint64_t edellinen = 0;
    std::string rivi;
    // Most cells of a detailed table are zeros: they are copied in runs from a row of them.
    std::string nollat;
    if (details)
        for (int i = 0; i < 256; ++i)
            lisaaPisteet(nollat, 0, c.level);
    const std::size_t solu = nollat.size() / 256;
    auto lisaaNollat = [&](std::size_t k) {
        for (; k > 256; k -= 256)
            rivi += nollat;
        rivi.append(nollat, 0, k * solu);
    };
    for (const Pelaaja &p : s.rivit) {
        ++laskuri;
        const std::uint64_t total = summa(p);
        // Equal totals share the position of the first of them.
        std::string sija = laskuri > 1 && edellinen == total
                               ? std::string(int2string(laskuri).size() + 1, ' ')
                               : int2string(laskuri) + ".";
        if (details && p.sijoitus != 0)
            sija.append("(").append(int2string(p.sijoitus)).append(")");
        rivi.assign(1, ' ');
        rivi += pidenna(sija, static_cast<unsigned>(c.sija));
        rivi += pidenna(p.nimi, static_cast<unsigned>(s.nimiLeveys + c.nimenJalkeen));
        if (details)
            p.cupHarva.kayTaysi(s.pituus, lisaaNollat,
                                [&](unsigned arvo) { lisaaPisteet(rivi, arvo, c.level); });
        rivi.append(c.ennenTotalia, ' ');
        lisaaPisteet(rivi, total, c.total);
        rivi.push_back('\n');
        out << rivi;
        edellinen = total;
    }
    out << "\n";
    if (teams)
        out << "These team statistics are calculated by adding each team's " << TIIMIN_PARHAAT
            << " best scores in each level.\n";
    out << generaattoriRivi(kello);
}

void tulostaKaikkiCupPisteet(std::ostream &out, const std::vector<Level> &levels,
                             const Tulostusasetukset &options,
                             const std::vector<unsigned> &cupTaulukko, bool teams, bool details,
                             std::ostream &konsoli, const Kello &kello, TotaliMuisti *muisti) {
    const CupStandings s = laskeCupStandings(levels, options, cupTaulukko, teams, konsoli, muisti);
    konsoli << "Writing statistics to file...\n";
    kirjoitaCupStandings(out, s, teams, details, kello);
}

} // namespace vt
