// Writes every whole-collection output for many small random collections. Built twice, once
// with the ranking routine's fast path and once with the plain exchange loop only; the two
// outputs must be byte for byte the same.
#include "battle/battletiedosto.h"
#include "cup/cuptaulukot.h"
#include "model/sivutiedostot.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <iostream>
#include <random>
#include <sstream>

namespace {

using namespace vt;

// Heavy ties: few distinct times, apple results, team tags, multiplayer names, empty levels.
std::vector<Level> kokoelma(std::uint32_t siemen) {
    std::mt19937 g(siemen);
    const unsigned pelaajia = 20 + g() % 60;
    std::vector<std::string> nimet;
    for (unsigned p = 0; p < pelaajia; ++p) {
        std::string n = std::string("P") + std::to_string(p);
        if (g() % 3 == 0)
            n += " [T" + std::to_string(g() % 4) + "]";
        nimet.push_back(n);
    }
    std::vector<Level> levelit;
    const unsigned leveleita = 3 + g() % 30;
    for (unsigned l = 0; l < leveleita; ++l) {
        Level level(std::string("L") + std::to_string(l));
        const unsigned ajoja = g() % 5 == 0 ? 0 : g() % 40;
        for (unsigned r = 0; r < ajoja; ++r) {
            Ajo a;
            if (g() % 10 == 0) {
                a.aika.omenat = 1 + g() % 3;
            } else {
                a.aika.sekunnit = 10 + g() % 4;
                a.aika.sadasosat = g() % 3;
            }
            a.nimi = nimet[g() % nimet.size()];
            if (g() % 8 == 0)
                a.nimi += ", " + nimet[g() % nimet.size()];
            a.uusi = g() % 2 == 0;
            level.lisaaAjo(a);
        }
        levelit.push_back(std::move(level));
    }
    return levelit;
}

} // namespace

int main() {
    const Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    const std::vector<unsigned> pisteet = oletusPisteet();
    for (std::uint32_t siemen = 1; siemen <= 150; ++siemen) {
        const std::vector<Level> levelit = kokoelma(siemen);
        Tulostusasetukset o;
        for (unsigned i = 1; i <= 10; ++i)
            o.kohta(i) = (siemen >> (i % 5)) & 1 ? true : (i % 2 == 0);
        std::ostringstream out, konsoli;
        out << "== " << siemen << "\n";
        tulostaStats(out, levelit, o, true, pisteet, konsoli, kello);
        tulostaHtml(out, levelit, o, true, "T", pisteet, "u", konsoli, kello);
        tulostaYhdenKentanCupPisteet(out, 0, levelit, o, pisteet, kello);
        tulostaKaikkiCupPisteet(out, levelit, o, pisteet, false, true, konsoli, kello);
        Tulostusasetukset tiimit = o;
        tiimit.tiimit = true;
        tulostaKaikkiCupPisteet(out, levelit, tiimit, pisteet, true, true, konsoli, kello);
        const BattleTiedosto b = teeBattleTiedosto(levelit, false, 1, konsoli, kello);
        out << b.alku << b.keski << b.loppu;
        std::cout << out.str();
    }
    return 0;
}
