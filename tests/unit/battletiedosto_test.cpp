#include "battle/battletiedosto.h"
#include "testiapu.h"
#include "util/teksti.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

using namespace vt;
using testi::ajo;

namespace {

Level battle(const std::string &nimi, const std::string &tekija, std::initializer_list<Ajo> ajot,
             unsigned pituus = 0) {
    Level l = testi::level(nimi, ajot);
    l.asetaPitaja(tekija);
    l.asetaPituus(pituus);
    return l;
}

// The statistics rows of a collection, every battle with bonus 1.
std::vector<Pelaaja> tilasto(const std::vector<Level> &levelit) {
    BattleTilasto t;
    for (size_t i = 0; i < levelit.size(); ++i) {
        std::vector<Ajo> ajot;
        levelit[i].annaAjotJarjestyksessa(ajot);
        annaPisteet(ajot, 1);
        t.lisaa(ajot, static_cast<std::uint32_t>(i + 1), levelit[i]);
    }
    return t.rivit();
}

const Pelaaja &rivi(const std::vector<Pelaaja> &r, const std::string &nimi) {
    for (const Pelaaja &p : r)
        if (p.nimi == nimi)
            return p;
    throw std::runtime_error("no row " + nimi);
}

std::string alku(const std::vector<Level> &levelit, bool html = false) {
    std::vector<Pelaaja> rivit = tilasto(levelit);
    std::vector<Battle> battlet;
    for (size_t i = 0; i < levelit.size(); ++i) {
        Battle b;
        b.nimi = levelit[i].annaNimi();
        b.tekija = levelit[i].annaPitaja();
        b.numero = static_cast<std::uint32_t>(i + 1);
        b.pelaajia = levelit[i].annaAjojenLkm();
        b.pituus = levelit[i].annaPituus();
        battlet.push_back(b);
    }
    std::string a, l;
    std::ostringstream k;
    yhteenveto(rivit, html, battlet, l, a, k);
    return a;
}

} // namespace

TEST(BattleTekstit, TwoDecimalsTruncated) {
    EXPECT_EQ(average(7, 2), "3.50");
    EXPECT_EQ(average(1, 3), "0.33");
    EXPECT_EQ(average(1, 100), "0.01");
    EXPECT_EQ(average(0, 4), "0.00");
    EXPECT_EQ(kaksiDesimaalia(250), "2.50");
    EXPECT_EQ(kaksiDesimaalia(5), "0.05");
    EXPECT_EQ(kaksiDesimaalia(7), "0.07");
    EXPECT_EQ(kaksiDesimaalia(1234), "12.34");
    EXPECT_EQ(kaksiDesimaalia(0), "0.00");
}

TEST(BattleTiedostonNimi, FormDecidesTheExtension) {
    std::set<std::string> olemassa = {"stats01.html"};
    auto on = [&](const std::string &n) { return olemassa.count(n) > 0; };
    EXPECT_EQ(battleTiedostonNimi("stats.txt", true, on), "stats02.html");
    EXPECT_EQ(battleTiedostonNimi("stats5.txt", true, on), "stats02.html");
    EXPECT_EQ(battleTiedostonNimi("stats.html", false, on), "stats.txt");
    EXPECT_EQ(battleTiedostonNimi("stats5.txt", false, on), "stats5.txt");
    EXPECT_EQ(battleTiedostonNimi("noext", true, on), "noext01.html");
    for (unsigned n = 1; n <= 99; ++n)
        olemassa.insert("full" + int2string2(n) + ".html");
    EXPECT_EQ(battleTiedostonNimi("full.txt", true, on), "full.html");
}

TEST(Lisapisteet, BlankKeepsAndRangeIsChecked) {
    std::istringstream in("abc\n1001\n25 points\n");
    std::ostringstream out;
    Konsoli k(in, out, false);
    EXPECT_EQ(kysyLisapisteet(k, 1), 25u);
    const std::string q = "Give the extra points you want to give to winner (default 1): ";
    EXPECT_EQ(out.str(), q + q + "Points must be in range 0 - 1000.\n" + q);
    std::istringstream tyhja("  \n");
    Konsoli k2(tyhja, out, false);
    EXPECT_EQ(kysyLisapisteet(k2, 7), 7u);
}

TEST(BattlePisteet, FivePlayersAndBonus) {
    std::vector<Ajo> ajot(5);
    annaPisteet(ajot, 1);
    std::vector<unsigned> p;
    for (const Ajo &a : ajot)
        p.push_back(a.pisteet);
    EXPECT_EQ(p, (std::vector<unsigned>{6, 4, 3, 2, 1}));
}

TEST(BattleTilasto, WinningRowsBrokenByABattleWithoutResults) {
    const std::vector<Level> l = {
        battle("E1", "d", {ajo("bob", "1:00,00"), ajo("Ann", "2:00,00")}),
        battle("E2", "d", {ajo("Ann", "1:00,00")}),
        battle("E3", "d", {ajo("Ann", "1:00,00")}),
        battle("E4", "d", {ajo("Ann", "1:00,00")}),
        battle("E5", "d", {ajo("bob", "1:00,00"), ajo("Ann", "2:00,00")}),
        battle("E6", "d", {ajo("Ann", "1:00,00")}),
        battle("E7", "d", {}),
        battle("E8", "d", {ajo("bob", "1:00,00")}),
    };
    const std::vector<Pelaaja> r = tilasto(l);
    EXPECT_EQ(rivi(r, "Ann").pisinVoittoputki, 3u);
    EXPECT_EQ(rivi(r, "Ann").pisinVoittoputkiAlku, 2u);
    EXPECT_EQ(rivi(r, "Ann").parhaidenLkm, 4u);
    EXPECT_EQ(rivi(r, "Ann").battleja, 6u);
    // bob won 1, 5 and 8: never twice in a row, event 7 had no winner.
    EXPECT_EQ(rivi(r, "bob").pisinVoittoputki, 1u);
    EXPECT_EQ(rivi(r, "bob").pisinVoittoputkiAlku, 1u);
    EXPECT_EQ(rivi(r, "d").pisinLevelputki, 8u);
    EXPECT_EQ(rivi(r, "d").pelaajiaYhteensa, 9u);
}

TEST(BattleTilasto, FiveLettersShareARowAndRlLevelsAreNotCounted) {
    const std::vector<Level> l = {
        battle("RLmap", "Jarmo1", {ajo("jarmo2", "1:00,00")}, 10),
        battle("RLab", "JARMO3", {ajo("x", "1:00,00")}, 0),
        battle("Plain", "", {ajo("Jarmo1", "0:30,00")}, 20),
    };
    const std::vector<Pelaaja> r = tilasto(l);
    ASSERT_EQ(r.size(), 3u);
    const Pelaaja &j = r[0];
    // Runs are counted before the designer, so the row is named after the first run.
    EXPECT_EQ(j.nimi, "jarmo2");
    EXPECT_EQ(j.battleja, 2u);
    EXPECT_EQ(j.parhaidenLkm, 2u);
    EXPECT_EQ(j.totalAika, Aika("1:30,00"));
    // RLmap is not counted, the four-letter RLab is.
    EXPECT_EQ(j.leveleita, 1u);
    EXPECT_EQ(j.pituudet, std::vector<unsigned>{10});
    EXPECT_EQ(j.pisinLevelputki, 2u);
    EXPECT_EQ(r[2].nimi, "");
    EXPECT_EQ(r[2].leveleita, 1u);
    // The winning results of both designed battles, the RL one included.
    EXPECT_EQ(j.voittoajat, Aika("2:00,00"));
}

TEST(Yhteenveto, EmptyCollectionHasOnlyHeadingAndTotal) {
    EXPECT_EQ(alku({}), "Shortly: \nTotal number of battles: 0 \n\n\n");
    std::vector<Pelaaja> rivit;
    std::string a, l;
    std::ostringstream k;
    yhteenveto(rivit, false, {}, l, a, k);
    EXPECT_EQ(k.str(), "Generating overall statistics...\n");
    EXPECT_EQ(l, "\nOverall scores:\n\n Pos.  Player            Points (average)    Wins/battles "
                 "     Total time   Best row (start event) \n" +
                     std::string(100, '-') +
                     "\n\n\n\nBattles by:\n\n Pos.  Player            Battles   Avg Players   Avg "
                     "length     Avg winning time    Best row (start event) \n" +
                     std::string(107, '-') + "\n\n\n\n");
}

TEST(Yhteenveto, AveragesAreExactQuotients) {
    // Six runs in five battles: 1.20, which binary floating point would print as 1.19.
    const std::vector<Level> l = {
        battle("A", "d", {ajo("p", "1:00,00"), ajo("q", "1:00,01")}, 3),
        battle("B", "d", {ajo("p", "1:00,00")}, 3),
        battle("C", "d", {ajo("p", "1:00,00")}, 4),
        battle("D", "d", {ajo("p", "1:00,00")}),
        battle("E", "d", {ajo("q", "1:00,00")}),
    };
    const std::string a = alku(l);
    EXPECT_NE(a.find("Average players per battle: 1.20\n"), std::string::npos) << a;
    EXPECT_NE(a.find("Average battle length: 3.33 minutes\n"), std::string::npos) << a;
    EXPECT_NE(a.find("Most players: 2 players in level A by d (event 1)\n"), std::string::npos);
}

TEST(Yhteenveto, TiesNamedInBestLinesAndMostPlayers) {
    const std::vector<Level> l = {
        battle("A", "x", {ajo("p", "1:00,00"), ajo("q", "1:10,00")}),
        battle("B", "y", {ajo("q", "1:00,00"), ajo("p", "1:10,00")}),
    };
    const std::string a = alku(l);
    EXPECT_EQ(a, "Shortly: \n"
                 "Best player: p/q with 4 points. \n"
                 "Best designer: x/y with 1 levels. \n"
                 "Best winning row: p/q with 1 wins in a row. \n"
                 "Best designing row: x/y with 1 levels in a row. \n"
                 "Average players per battle: 2.00\n"
                 "Most players: 2 players in levels A by x (event 1), B by y (event 2)\n"
                 "Total number of battles: 2 \n\n\n");
}

namespace {
// The battles of a collection as the battle file makes them.
std::vector<Battle> battlet(const std::vector<Level> &levelit) {
    std::vector<Battle> r;
    for (size_t i = 0; i < levelit.size(); ++i) {
        std::vector<Ajo> ajot;
        levelit[i].annaAjotJarjestyksessa(ajot);
        Battle b;
        b.nimi = levelit[i].annaNimi();
        b.numero = static_cast<std::uint32_t>(i + 1);
        b.pelaajia = levelit[i].annaAjojenLkm();
        b.pituus = levelit[i].annaPituus();
        b.paivamaara = levelit[i].paivamaara;
        if (!ajot.empty())
            b.parasAika = ajot[0].aika;
        r.push_back(b);
    }
    return r;
}
} // namespace

TEST(Yhteenveto, EachRankingStartsFromTheOrderTheOneBeforeLeft) {
    std::vector<Level> l = {
        battle("A", "x", {ajo("r", "1:00,00")}, 5),
        battle("B", "y", {ajo("p", "1:00,00"), ajo("q", "1:10,00"), ajo("r", "1:20,00")}),
    };
    // Rows r, x, p, q, y with points 3, 0, 4, 2, 0; x and y designed one level each.
    const std::vector<Pelaaja> rivit = tilasto(l);
    ASSERT_EQ(rivit.size(), 5u);
    const BattleYhteenveto y = laskeYhteenveto(rivit, battlet(l));
    EXPECT_EQ(y.pisteJarjestys, (std::vector<std::uint32_t>{2, 0, 3, 1, 4}));
    ASSERT_TRUE(y.pelaaja);
    EXPECT_EQ(y.pelaaja->nimet, (std::vector<std::string>{"p"}));
    EXPECT_EQ(y.pelaaja->arvo, 4u);
    // The exchange sort from p r q x y by levels: x y q p r, not the stable x y p r q.
    EXPECT_EQ(y.tekijaJarjestys, (std::vector<std::uint32_t>{1, 4, 3, 2, 0}));
    ASSERT_TRUE(y.tekija);
    EXPECT_EQ(y.tekija->nimet, (std::vector<std::string>{"x", "y"}));
    // Points again from there (p r q y x), then winning rows: p and r, one win each.
    ASSERT_TRUE(y.voittoputki);
    EXPECT_EQ(y.voittoputki->nimet, (std::vector<std::string>{"p", "r"}));
    EXPECT_EQ(y.voittoputki->arvo, 1u);
    // Levels again from there (y x q p r): y now before x.
    ASSERT_TRUE(y.levelputki);
    EXPECT_EQ(y.levelputki->nimet, (std::vector<std::string>{"y", "x"}));
    EXPECT_EQ(y.battleja, 2u);
    EXPECT_EQ(y.pelaajiaBattlessa, std::optional<std::uint64_t>(200));
    EXPECT_EQ(y.pituus, std::optional<std::uint64_t>(500)); // only the battle of known length
    EXPECT_EQ(y.voittoaika, std::optional<Aika>(Aika("1:00,00")));
    EXPECT_EQ(y.enitenPelaajia, 3u);
    EXPECT_EQ(y.enitenBattlet, (std::vector<std::size_t>{1}));
    EXPECT_FALSE(y.jakso); // no dates

    l[0].paivamaara = "1.1.2020";
    EXPECT_FALSE(laskeYhteenveto(rivit, battlet(l)).jakso); // the last battle's is missing
    l[1].paivamaara = "2.1.2020";
    const auto jakso = laskeYhteenveto(rivit, battlet(l)).jakso;
    ASSERT_TRUE(jakso);
    EXPECT_EQ(jakso->first, "1.1.2020");
    EXPECT_EQ(jakso->second, "2.1.2020");
}

TEST(Yhteenveto, NothingToSummariseWithoutRowsOrBattles) {
    const BattleYhteenveto y = laskeYhteenveto({}, {});
    EXPECT_EQ(y.battleja, 0u);
    EXPECT_FALSE(y.pelaaja || y.tekija || y.voittoputki || y.levelputki);
    EXPECT_FALSE(y.pelaajiaBattlessa || y.pituus || y.voittoaika || y.jakso);
    EXPECT_TRUE(y.pisteJarjestys.empty() && y.tekijaJarjestys.empty());
    EXPECT_EQ(y.enitenPelaajia, 0u);
    EXPECT_TRUE(y.enitenBattlet.empty());
    // Battles without results: no winning time, no players; no rows, no average of players.
    const std::vector<Level> l = {battle("A", "", {}), battle("B", "", {})};
    const BattleYhteenveto t = laskeYhteenveto({}, battlet(l));
    EXPECT_EQ(t.battleja, 2u);
    EXPECT_FALSE(t.pelaajiaBattlessa || t.pituus || t.voittoaika);
    EXPECT_TRUE(t.enitenBattlet.empty());
}

TEST(BattleIndex, SortedByNameWithTotals) {
    std::vector<Battle> b(2);
    b[0].nimi = "Zeta";
    b[0].numero = 1;
    b[0].pelaajia = 3;
    b[0].voittaja = "ann";
    b[0].parasAika = Aika("1:00,00");
    b[1].nimi = "Alpha";
    b[1].tekija = "bob";
    b[1].numero = 2;
    b[1].pelaajia = 2;
    b[1].voittaja = "cid";
    b[1].parasAika = Aika("0:30,00");
    std::ostringstream k;
    const std::string t = battleIndex(b, false, k);
    EXPECT_EQ(k.str(), "Generating battle index...\n");
    EXPECT_EQ(t,
              "Battle index:\n\n"
              " Level                          Event    Players    Winner                 Time\n" +
                  std::string(83, '-') +
                  "\n"
                  " Alpha by bob                   2        2          cid                    "
                  "0:30,00\n"
                  " Zeta                           1        3          ann                    "
                  "1:00,00\n"
                  "\n Total                          2        5                                "
                  " 1:30,00\n\n\n\n");
    std::vector<Battle> yksi(1);
    EXPECT_EQ(battleIndex(yksi, false, k), "");
}

namespace {
// The battles ranked by name with the exchange loop as written.
std::vector<Battle> suoraanNimenMukaan(std::vector<Battle> b) {
    for (size_t i = 0; i < b.size(); ++i)
        for (size_t j = i + 1; j < b.size(); ++j)
            if (aakkosta(b[j].nimi, b[i].nimi))
                std::swap(b[i], b[j]);
    return b;
}
} // namespace

TEST(BattleIndex, NameOrderMatchesThePlainExchangeLoop) {
    std::mt19937 g(5);
    const std::string kirjaimet = "aAbB1_\xe4\xc4";
    for (int kierros = 0; kierros < 200; ++kierros) {
        std::vector<Battle> b(32 + g() % 100);
        for (size_t i = 0; i < b.size(); ++i) {
            const size_t pituus = g() % 4;
            for (size_t k = 0; k < pituus; ++k)
                b[i].nimi += kirjaimet[g() % kirjaimet.size()];
            b[i].numero = static_cast<std::uint32_t>(i);
        }
        const std::vector<Battle> odotettu = suoraanNimenMukaan(b);
        jarjestaNimenMukaan(b);
        for (size_t i = 0; i < b.size(); ++i)
            ASSERT_EQ(b[i].numero, odotettu[i].numero) << kierros << " at " << i;
    }
}

TEST(BattleIndex, NumberedAndNestedNamesInAnyCaseMatchThePlainExchangeLoop) {
    // Long names of which many begin others: numbered levels written in either case, some
    // repeated, and chains of one letter in mixed case, shuffled; big enough for the tree of
    // names to have deep subtrees with runs of copies.
    std::mt19937 g(7);
    for (int kierros = 0; kierros < 12; ++kierros) {
        std::vector<Battle> b(100 + g() % 400);
        for (size_t i = 0; i < b.size(); ++i) {
            if (kierros % 3 == 2) {
                for (size_t k = g() % 12; k > 0; --k)
                    b[i].nimi += g() % 2 ? 'a' : 'A';
            } else {
                b[i].nimi = (g() % 2 ? "Level number " : "LEVEL Number ") +
                            std::to_string(kierros % 3 == 0 ? i : g() % (b.size() / 4));
            }
            b[i].numero = static_cast<std::uint32_t>(i);
        }
        std::shuffle(b.begin(), b.end(), g);
        const std::vector<Battle> odotettu = suoraanNimenMukaan(b);
        jarjestaNimenMukaan(b);
        for (size_t i = 0; i < b.size(); ++i)
            ASSERT_EQ(b[i].numero, odotettu[i].numero) << kierros << " at " << i;
    }
}

TEST(BattleTiedosto, HtmlHeadDeclaresTheEncodingOfTheWholeFile) {
    const Kello kello = [] { return std::string("Wed Dec 06 18:48:00 2006\n"); };
    auto tiedosto = [&](const std::vector<Level> &levelit, bool html) {
        std::ostringstream k;
        const BattleTiedosto t = teeBattleTiedosto(levelit, html, 1, k, kello);
        return t.alku + t.keski + t.loppu;
    };
    auto paa = [](const std::string &charset) {
        return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n<html>\n"
               "<head>\n\t<meta charset=\"" +
               charset +
               "\">\n\t<meta name=\"viewport\" content=\"width=device-width, "
               "initial-scale=1\">\n\t<title>Battle statistics</title>\n</head>\n";
    };
    const std::string jorUtf8 = "J\xc3\xb6r\xc3\xb6_\xc3\x84\xc3\xa4peli";
    const std::string jor8 = "J\xf6r\xf6_\xc4\xe4peli";
    const std::vector<Level> utf8 = {battle("Kes\xc3\xa4", "ruuttori", {ajo(jorUtf8, "0:10,00")}),
                                     battle("Two", "", {ajo("Bob", "0:11,00")})};
    const std::string u = tiedosto(utf8, true);
    EXPECT_EQ(u.rfind(paa("utf-8"), 0), 0u);
    EXPECT_EQ(u.find("charset"), u.rfind("charset"));
    // The results row pads the UTF-8 name to 18 columns like any other.
    EXPECT_NE(u.find("<td>" + jorUtf8 + "       <td>"), std::string::npos);
    // One 8-bit byte, here only in a designer's name, makes the whole file 8-bit.
    const std::vector<Level> sekoitus = {
        battle("Kes\xc3\xa4", "P\xe4\xe4", {ajo(jorUtf8, "0:10,00")}),
        battle("Two", "", {ajo("Bob", "0:11,00")})};
    EXPECT_EQ(tiedosto(sekoitus, true).rfind(paa("windows-1252"), 0), 0u);
    const std::vector<Level> bitti8 = {battle("Kes\xe4", "", {ajo(jor8, "0:10,00")})};
    const std::string b = tiedosto(bitti8, true);
    EXPECT_EQ(b.rfind(paa("windows-1252"), 0), 0u);
    EXPECT_NE(b.find("<td>" + jor8 + "       <td>"), std::string::npos);
    // The text form has no head at all.
    EXPECT_EQ(tiedosto(utf8, false).find("<meta"), std::string::npos);
}
