#include "model/level.h"
#include "model/tulostaajot.h"
#include "testiapu.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace vt;
using testi::ajo;

namespace {
std::string teksti(const Level &l, Tulostusasetukset o, bool multi = false, bool html = false) {
    std::ostringstream out;
    l.tulostaAjot(out, o, multi, html);
    return out.str();
}
} // namespace

TEST(TulostaAjot, WorkedExampleOfThreeRuns) {
    Level l = testi::level("L", {ajo("A", "0:14,50"), ajo("B", "0:15,00"), ajo("A", "0:16,20")});
    Tulostusasetukset o;
    o.keskiarvoUseita = true;
    EXPECT_EQ(teksti(l, o),
              "     0:14,50 A\n     0:15,00 B\n     0:16,20 A    Average:      0:15,23\n");
    o.keskiarvoUseita = false;
    EXPECT_EQ(teksti(l, o), "     0:14,50 A\n     0:15,00 B\n     0:16,20 A\n");
}

TEST(TulostaAjot, TenRunLimitAverageOverAll) {
    Level l("L");
    for (int i = 0; i < 12; ++i)
        l.lisaaAjo(ajo("A", "0:1" + std::to_string(i / 10) + "," + std::to_string(i % 10) + "0"));
    Tulostusasetukset o;
    o.kaikkiAjat = false;
    std::string t = teksti(l, o);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 10);
    // Sum of 0:10,00..0:11,10 over 12 runs is 126,60 / 12 = 10,55.
    EXPECT_NE(t.find("     0:10,90 A    Average:      0:10,55\n"), std::string::npos);
    o.keskiarvoYksi = false;
    o.keskiarvoUseita = true;
    EXPECT_EQ(teksti(l, o).find("Average"), std::string::npos);
}

TEST(TulostaAjot, SingleRunAndEmptyAndMultiplayer) {
    Level l = testi::level("L", {ajo("A", "0:14,50"), ajo("A, B", "0:12,00")});
    Tulostusasetukset o;
    o.keskiarvoUseita = true;
    EXPECT_EQ(teksti(l, o), "     0:14,50 A\n");
    EXPECT_EQ(teksti(l, o, true), "     0:12,00 A, B\n");
    EXPECT_EQ(teksti(Level("x"), o), "\n");
    EXPECT_EQ(teksti(Level("x"), o, false, true), "\n");
}

TEST(TulostaAjot, OnlyBestKeepsTheLaterEqualRun) {
    Level l = testi::level("L", {ajo("A", "1:00,00", true), ajo("B", "1:05,00")});
    l.lisaaAjo(ajo("A", "1:00,00", false)); // a duplicate: dropped on adding
    Tulostusasetukset o;
    o.vainParas = true;
    o.lihavoiUudet = true;
    EXPECT_EQ(teksti(l, o, false, true), "<td><b>     1:00,00</b></td><td><b>A</b></td>\n\n");
    Level m = testi::level("M", {ajo("A", "1:00,00"), ajo("A", "0:59,00")});
    EXPECT_EQ(teksti(m, o), "     0:59,00 A\n");
}

TEST(TulostaAjot, HtmlJoinsEqualBestNamesAndEscapes) {
    Level l = testi::level("L", {ajo("A<b>", "1:00,00"), ajo("B&C", "1:00,00", true),
                                 ajo("D", "1:00,00"), ajo("E", "1:01,00")});
    Tulostusasetukset o;
    EXPECT_EQ(teksti(l, o, false, true),
              "<td>     1:00,00</td><td>A&lt;b&gt; / B&amp;C / D</td>\n\n");
    o.lihavoiUudet = true;
    EXPECT_EQ(teksti(l, o, false, true),
              "<td>     1:00,00</td><td>A&lt;b&gt; / <b>B&amp;C</b> / D</td>\n\n");
}

TEST(LevelinAjot, OneKindBestFirstTenListedAverageOverAll) {
    Level l("L");
    for (int i = 11; i >= 0; --i)
        l.lisaaAjo(ajo("A", "0:2" + std::to_string(i % 10) + "," + std::to_string(i / 10) + "0"));
    l.lisaaAjo(ajo("A, B", "0:01,00"));
    Tulostusasetukset o;
    o.kaikkiAjat = false;
    LevelinAjot a = laskeLevelinAjot(l, o, false);
    ASSERT_EQ(a.ajot.size(), 12u);
    EXPECT_EQ(a.listattavia, 10u);
    EXPECT_EQ(a.ajot[0].aika.str(), Aika("0:20,00").str());
    EXPECT_EQ(a.ajot[11].aika.str(), Aika("0:29,00").str());
    // 0:20,00..0:29,00 (245,00) and 0:20,10, 0:21,10: 286,20 / 12 = 23,85.
    ASSERT_TRUE(a.keskiarvo.has_value());
    EXPECT_EQ(a.keskiarvo->str(), Aika("0:23,85").str());
    o.kaikkiAjat = true;
    EXPECT_EQ(laskeLevelinAjot(l, o, false).listattavia, 12u);
    LevelinAjot m = laskeLevelinAjot(l, o, true);
    ASSERT_EQ(m.ajot.size(), 1u);
    EXPECT_EQ(m.ajot[0].nimi, "A, B");
    EXPECT_FALSE(m.keskiarvo.has_value());
}

TEST(LevelinAjot, AverageByNumberOfNames) {
    Level yksi = testi::level("L", {ajo("A", "0:10,00"), ajo("A", "0:11,00")});
    Level kaksi = testi::level("L", {ajo("A", "0:10,00"), ajo("B", "0:11,00")});
    Tulostusasetukset o;
    o.keskiarvoYksi = true;
    o.keskiarvoUseita = false;
    EXPECT_EQ(laskeLevelinAjot(yksi, o, false).keskiarvo->str(), Aika("0:10,50").str());
    EXPECT_FALSE(laskeLevelinAjot(kaksi, o, false).keskiarvo.has_value());
    o.keskiarvoYksi = false;
    o.keskiarvoUseita = true;
    EXPECT_FALSE(laskeLevelinAjot(yksi, o, false).keskiarvo.has_value());
    EXPECT_EQ(laskeLevelinAjot(kaksi, o, false).keskiarvo->str(), Aika("0:10,50").str());
    // With one run per name, the runs dropped leave the average too.
    o.vainParas = true;
    o.keskiarvoYksi = true;
    EXPECT_FALSE(laskeLevelinAjot(yksi, o, false).keskiarvo.has_value());
    EXPECT_EQ(laskeLevelinAjot(yksi, o, false).ajot.size(), 1u);
}

TEST(LevelinAjot, RankedAsTheExchangeLoopRanksACopyOfTheRuns) {
    // Enough runs for the ranking's keyed way, with equal times under other names, apple
    // counts and pairs: the order must be the one the plain exchange loop gives.
    std::mt19937 g(5);
    Level l("L");
    for (int i = 0; i < 300; ++i) {
        const std::string nimi = "P" + std::to_string(g() % 40) + (g() % 5 == 0 ? ", Q" : "");
        Ajo a = ajo(nimi, "0:1" + std::to_string(g() % 4) + ",0" + std::to_string(g() % 3));
        if (g() % 7 == 0)
            a.aika = Aika(std::to_string(1 + g() % 3));
        a.uusi = g() % 2 == 0;
        l.lisaaAjo(a);
    }
    for (bool multi : {false, true})
        for (bool vainParas : {false, true}) {
            std::vector<Ajo> odotettu;
            for (const Ajo &a : l.ajot())
                if (a.multiplayer() == multi)
                    odotettu.push_back(a);
            ASSERT_GE(odotettu.size(), 40u);
            for (std::size_t i = 0; i < odotettu.size(); ++i)
                for (std::size_t j = i + 1; j < odotettu.size(); ++j)
                    if (odotettu[j].aika < odotettu[i].aika)
                        std::swap(odotettu[i], odotettu[j]);
            if (vainParas)
                yksiAjoPerNimiSuoraan(odotettu);
            Tulostusasetukset o;
            o.vainParas = vainParas;
            const LevelinAjot saatu = laskeLevelinAjot(l, o, multi);
            ASSERT_EQ(saatu.ajot.size(), odotettu.size());
            for (std::size_t i = 0; i < odotettu.size(); ++i) {
                EXPECT_EQ(saatu.ajot[i].nimi, odotettu[i].nimi) << i;
                EXPECT_EQ(saatu.ajot[i].aika, odotettu[i].aika) << i;
                EXPECT_EQ(saatu.ajot[i].uusi, odotettu[i].uusi) << i;
            }
        }
}
