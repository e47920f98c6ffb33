// Writes every whole-collection output for many small random collections. Built twice, once
// with the ranking routine's fast path and once with the plain exchange loop only; the two
// outputs must be byte for byte the same.
#include "battle/battlet.h"
#include "battle/battletiedosto.h"
#include "cup/cuptaulukot.h"
#include "model/sivutiedostot.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <algorithm>
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

Level testiLevel(const std::string &nimi, std::initializer_list<Ajo> ajot) {
    Level l(nimi);
    for (const Ajo &a : ajot)
        l.lisaaAjo(a);
    return l;
}

Ajo ajo(const std::string &nimi, unsigned sadasosat, bool uusi = false) {
    Ajo a;
    a.nimi = nimi;
    a.aika.minuutit = sadasosat / 6000;
    a.aika.sekunnit = sadasosat / 100 % 60;
    a.aika.sadasosat = sadasosat % 100;
    a.uusi = uusi;
    return a;
}

// Collections of the shapes whose cost once grew faster than n log n, small: the fast paths
// that made them cheap must write what the plain loops write.
std::vector<std::vector<Level>> muodot(std::uint32_t siemen) {
    std::mt19937 g(siemen);
    std::vector<std::vector<Level>> r;
    const unsigned n = 20 + g() % 40;
    auto p = [](unsigned i) { return "P" + std::to_string(i); };

    // One new player per level beside a few fixed ones, multiplayer pairs drawn afresh.
    std::vector<Level> v;
    for (unsigned l = 0; l < n; ++l) {
        Level level("Level number " + std::to_string(l));
        for (unsigned k = 0; k < 6; ++k) {
            std::string nimi = p(g() % 8);
            if (g() % 6 == 0)
                nimi += ", " + p(g() % 30);
            level.lisaaAjo(ajo(nimi, 3000 + g() % 4 * 50, g() % 2 == 0));
        }
        level.lisaaAjo(ajo("New" + std::to_string(l), 3000 + g() % 4 * 50));
        v.push_back(std::move(level));
    }
    r.push_back(std::move(v));

    // Every player in a team of its own; some team names are player names too.
    v.clear();
    for (unsigned l = 0; l < 1 + n / 10; ++l) {
        Level level("T" + std::to_string(l));
        for (unsigned k = 0; k < n; ++k) {
            const unsigned i = g() % n;
            level.lisaaAjo(
                ajo(p(i) + " [" + (i % 5 == 0 ? p(i + 1) : "T" + std::to_string(i)) + "]",
                    3000 + g() % 3 * 100));
        }
        v.push_back(std::move(level));
    }
    r.push_back(std::move(v));

    // Level names that begin one another, shuffled, plain and zero-padded.
    for (bool taytetty : {false, true}) {
        std::vector<unsigned> k(n);
        for (unsigned i = 0; i < n; ++i)
            k[i] = i;
        std::shuffle(k.begin(), k.end(), g);
        v.clear();
        for (unsigned i : k) {
            std::string numero = std::to_string(i);
            if (taytetty)
                numero.insert(0, 4 - numero.size(), '0');
            Level level((taytetty ? "Level " : "Level number ") + numero);
            level.lisaaAjo(ajo(p(i % 7), 3000 + i % 3));
            v.push_back(std::move(level));
        }
        r.push_back(std::move(v));
    }

    // Level names of a few letters, upper and lower case: many names equal when upper-cased,
    // many that begin one another, in no order.
    v.clear();
    for (unsigned l = 0; l < 2 * n; ++l) {
        std::string nimi;
        for (unsigned k = 1 + g() % 4; k > 0; --k)
            nimi += "aAb1"[g() % 4];
        Level level(nimi);
        level.lisaaAjo(ajo(p(g() % 7), 3000 + g() % 3));
        v.push_back(std::move(level));
    }
    r.push_back(std::move(v));

    // One level alternating between two times, and one name under many team tags.
    v.clear();
    Level vuorotellen("Alternating");
    for (unsigned i = 0; i < 4 * n; ++i)
        vuorotellen.lisaaAjo(ajo(p(i), i % 2 ? 5900 : 6000));
    v.push_back(vuorotellen);
    for (unsigned l = 0; l < n; ++l) {
        Level level("Tag " + std::to_string(l));
        level.lisaaAjo(ajo("Name [T" + std::to_string(l % (n / 2)) + "]", 3000 + g() % 3 * 10));
        level.lisaaAjo(ajo(p(g() % 5), 3000 + g() % 3 * 10));
        v.push_back(std::move(level));
    }
    r.push_back(std::move(v));

    // Battles: one with many results, one level battled twice in a row, a stat-file level of
    // that name merged into too.
    v.clear();
    for (unsigned b = 0; b < 4; ++b) {
        std::vector<Ajo> ajot;
        for (unsigned i = 0; i < n; ++i)
            ajot.push_back(ajo("nick" + std::to_string(g() % n), 3000 + g() % 20));
        if (b == 1)
            v.push_back(testiLevel("Twice", {ajo("nick1", 3000), ajo("nick1", 2000)}));
        laskeBattle(ajot, b == 0 ? "Big" : "Twice", "d", "12:00", "12:20", v, true, Date());
    }
    r.push_back(std::move(v));

    // Levels merged by renaming one onto another, and a player renamed onto another.
    v.clear();
    for (unsigned l = 0; l < 3; ++l) {
        Level level("M" + std::to_string(l));
        for (unsigned i = 0; i < 2 * n; ++i)
            level.lisaaAjo(ajo(p(g() % 10), 3000 + g() % 30));
        v.push_back(std::move(level));
    }
    v[0].yhdista(v[1]);
    v.erase(v.begin() + 1);
    for (Level &l : v)
        l.vaihdaPelaajanNimi(p(1), p(2));
    r.push_back(std::move(v));

    // One level header repeated in a stat file.
    std::string tiedosto;
    for (unsigned i = 0; i < n; ++i)
        tiedosto += "  Level 1, Same:\n    00:" + std::to_string(10 + g() % 3) + ":00    " +
                    p(g() % 9) + "\n\n";
    std::istringstream in(tiedosto);
    std::ostringstream konsoli;
    v.clear();
    lueStats(in, v, false, konsoli);
    r.push_back(std::move(v));
    return r;
}

} // namespace

int main() {
    const Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    const std::vector<unsigned> pisteet = oletusPisteet();
    auto tulosta = [&](const std::vector<Level> &levelit, std::uint32_t siemen) {
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
    };
    for (std::uint32_t siemen = 1; siemen <= 150; ++siemen)
        tulosta(kokoelma(siemen), siemen);
    for (std::uint32_t siemen = 1; siemen <= 12; ++siemen)
        for (const std::vector<Level> &levelit : muodot(siemen))
            tulosta(levelit, siemen);
    return 0;
}
