#include "model/level.h"
#include "model/rivihakemisto.h"
#include "model/totalimuisti.h"
#include "model/totalit.h"
#include "testiapu.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

using namespace vt;
using testi::ajo;

namespace {
const Pelaaja &rivi(const std::vector<Pelaaja> &r, const std::string &nimi) {
    for (const Pelaaja &p : r)
        if (p.nimi == nimi)
            return p;
    throw std::runtime_error("no row " + nimi);
}
std::vector<unsigned> taulu(std::initializer_list<unsigned> t) { return t; }
} // namespace

TEST(Totalit, OneRunPerPlayerAndOrder) {
    Level l = testi::level("L", {ajo("A", "1:00,00"), ajo("B", "0:59,00"), ajo("A", "0:58,00")});
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, Tulostusasetukset(), {}, 1, false);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].nimi, "A");
    EXPECT_EQ(r[0].totalAika, Aika("0:58,00"));
    EXPECT_EQ(r[0].levelienLkm, 1u);
    EXPECT_EQ(r[0].parhaatLevelit, std::vector<unsigned>{1});
    EXPECT_EQ(r[1].parhaidenLkm, 0u);
    testi::level("M", {ajo("B", "0:30,00")}).laskeTotalTimet(r, Tulostusasetukset(), {}, 2, false);
    EXPECT_EQ(r[1].nimi, "B");
    EXPECT_EQ(r[1].totalAika, Aika("1:29,00"));
    EXPECT_EQ(r[1].levelienLkm, 2u);
}

TEST(Totalit, TeamsTakeTheFastestMemberAndCupSums) {
    Level l = testi::level("L", {ajo("a [x]", "0:50,00"), ajo("b [x]", "0:55,00")});
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, Tulostusasetukset(), taulu({100, 80, 60}), 1, true);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(rivi(r, "x").tiimi);
    EXPECT_EQ(rivi(r, "x").totalAika, Aika("0:50,00"));
    EXPECT_EQ(rivi(r, "x").cupPisteet, taulu({180}));
    EXPECT_EQ(rivi(r, "a [x]").cupPisteet, taulu({100}));
    EXPECT_EQ(rivi(r, "b [x]").cupPisteet, taulu({80}));
    EXPECT_EQ(rivi(r, "x").parhaidenLkm, 1u);
}

TEST(Totalit, TiesShareAndCreditEveryone) {
    Level l = testi::level("L", {ajo("A", "0:50,00"), ajo("B", "0:50,00"), ajo("C", "0:50,00"),
                                 ajo("D", "0:51,00"), ajo("E", "0:52,00")});
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, Tulostusasetukset(), taulu({100, 80, 60, 50}), 3, true);
    for (const char *n : {"A", "B", "C"}) {
        EXPECT_EQ(rivi(r, n).cupPisteet, taulu({80}));
        EXPECT_EQ(rivi(r, n).parhaatLevelit, std::vector<unsigned>{3});
    }
    EXPECT_EQ(rivi(r, "D").cupPisteet, taulu({50}));
    EXPECT_EQ(rivi(r, "E").cupPisteet, taulu({0}));
    EXPECT_EQ(rivi(r, "D").parhaidenLkm, 0u);
}

TEST(Totalit, FourMemberTeamScoresThreeBestAndTiedMembersCreditTeamTwice) {
    Level l = testi::level("L", {ajo("a[t]", "0:50,00"), ajo("b[t]", "0:50,00"),
                                 ajo("c[t]", "0:52,00"), ajo("d[t]", "0:53,00")});
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, Tulostusasetukset(), taulu({100, 80, 60, 50}), 1, true);
    EXPECT_EQ(rivi(r, "t").cupPisteet, taulu({90 + 90 + 60}));
    EXPECT_EQ(rivi(r, "t").parhaidenLkm, 2u);
}

TEST(Totalit, NoTeamsWithoutOptionButTagRowStillCredited) {
    Level l =
        testi::level("L", {ajo("a[x]", "0:50,00"), ajo("x", "0:55,00"), ajo("q]z[", "1:00,00")});
    Tulostusasetukset o;
    o.tiimit = false;
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, o, taulu({100, 80}), 1, true);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(rivi(r, "x").parhaidenLkm, 1u);
    EXPECT_EQ(rivi(r, "x").cupPisteet, taulu({180}));
    o.tiimit = true;
    std::vector<Pelaaja> s;
    l.laskeTotalTimet(s, o, taulu({100, 80}), 1, false);
    // The tag row x is the player x: updated, not a new team row.
    EXPECT_EQ(s.size(), 3u);
    EXPECT_EQ(rivi(s, "x").levelienLkm, 2u);
    EXPECT_FALSE(rivi(s, "x").tiimi);
}

TEST(Totalit, EmptyLevelPadsCupPointsAndNewRowsGetZeros) {
    std::vector<Pelaaja> r;
    auto t = taulu({100, 80});
    testi::level("1", {ajo("A", "0:50,00")}).laskeTotalTimet(r, Tulostusasetukset(), t, 1, true);
    Level("2").laskeTotalTimet(r, Tulostusasetukset(), t, 2, true);
    EXPECT_EQ(rivi(r, "A").cupPisteet, taulu({100, 0}));
    testi::level("3", {ajo("B", "0:50,00"), ajo("A", "0:51,00"), ajo("C", "0:52,00")})
        .laskeTotalTimet(r, Tulostusasetukset(), t, 3, true);
    EXPECT_EQ(rivi(r, "A").cupPisteet, taulu({100, 0, 80}));
    EXPECT_EQ(rivi(r, "B").cupPisteet, taulu({0, 0, 100}));
    EXPECT_EQ(rivi(r, "C").cupPisteet, taulu({0, 0, 0}));
}

TEST(Totalit, NewFlagOnlyWithBoldOption) {
    Level l = testi::level("L", {ajo("A", "0:50,00", true)});
    std::vector<Pelaaja> r;
    l.laskeTotalTimet(r, Tulostusasetukset(), {}, 1, false);
    EXPECT_FALSE(r[0].uusiAika);
    Tulostusasetukset o;
    o.lihavoiUudet = true;
    std::vector<Pelaaja> s;
    l.laskeTotalTimet(s, o, {}, 1, false);
    EXPECT_TRUE(s[0].uusiAika);
}

// The lookup kept from level to level ranks each level from the ranking before; a fresh one
// ranks the whole table again. Both must give the same rows in the same order, cup lists
// included, over many levels of tied totals with new players arriving all along.
TEST(Totalit, RankingKeptFromLevelToLevelEqualsRankingAfresh) {
    const char *ajat[] = {"0:01,00", "0:02,00", "0:03,00", "0:04,00"};
    Tulostusasetukset options;
    options.tiimit = true;
    for (unsigned siemen = 1; siemen <= 10; ++siemen) {
        std::mt19937 g(siemen);
        const bool cup = siemen % 2 == 0;
        // From seed 7 on, runs of levels bring only new players (and new teams), whose
        // ranking can wait, between levels of players seen before.
        const bool vaiheet = siemen >= 7;
        std::vector<Pelaaja> kerralla, erikseen;
        RiviHakemisto hakemisto;
        for (unsigned l = 1; l <= 120; ++l) {
            Level level(std::string("L") + std::to_string(l));
            const unsigned pelaajia = std::min(40u, 2 + l / 3);
            const bool uusia = vaiheet && l / 6 % 2 == 0;
            for (unsigned k = g() % 8; k > 0; --k) {
                const unsigned p = g() % pelaajia;
                std::string nimi = std::string("P") + std::to_string(p);
                if (uusia)
                    nimi = std::string("N") + std::to_string(l) + "_" + std::to_string(k);
                if (p % 3 == 0)
                    nimi += std::string(uusia ? " [U" : " [T") + std::to_string(p % 4) + "]";
                level.lisaaAjo(ajo(nimi, ajat[g() % (siemen <= 2 ? 2 : 4)]));
            }
            level.laskeTotalTimet(kerralla, options, taulu({10, 6, 3}), l, cup, hakemisto);
            level.laskeTotalTimet(erikseen, options, taulu({10, 6, 3}), l, cup);
            std::vector<Pelaaja> valmiit = kerralla;
            RiviHakemisto kopio = hakemisto;
            kopio.valmis(valmiit);
            ASSERT_EQ(valmiit.size(), erikseen.size());
            for (size_t i = 0; i < valmiit.size(); ++i) {
                SCOPED_TRACE("seed " + std::to_string(siemen) + ", level " + std::to_string(l) +
                             ", row " + std::to_string(i));
                ASSERT_EQ(valmiit[i].nimi, erikseen[i].nimi);
                ASSERT_EQ(valmiit[i].totalAika, erikseen[i].totalAika);
                ASSERT_EQ(valmiit[i].cupPisteet, erikseen[i].cupPisteet);
                ASSERT_EQ(valmiit[i].parhaatLevelit, erikseen[i].parhaatLevelit);
            }
        }
    }
}

// A sparse cup list names the places of its values; spread out, it is the full list.
TEST(Totalit, SparseCupListsHoldTheFullListsValues) {
    Tulostusasetukset options;
    options.tiimit = true;
    for (unsigned siemen = 1; siemen <= 5; ++siemen) {
        std::mt19937 g(siemen);
        std::vector<Pelaaja> tiheat, harvat;
        RiviHakemisto tihea, harva;
        harva.harvaCup = true;
        for (unsigned l = 1; l <= 60; ++l) {
            Level level(std::string("L") + std::to_string(l));
            for (unsigned k = g() % 9; k > 0; --k) {
                const unsigned p = g() % 12;
                std::string nimi = std::string("P") + std::to_string(p);
                if (p % 2 == 0) // three members a team
                    nimi += std::string(" [T") + std::to_string(p % 4 / 2) + "]";
                level.lisaaAjo(ajo(nimi, std::string("0:0") + std::to_string(1 + g() % 3) + ",00"));
            }
            level.laskeTotalTimet(tiheat, options, taulu({10, 6, 3, 1}), l, true, tihea);
            level.laskeTotalTimet(harvat, options, taulu({10, 6, 3, 1}), l, true, harva);
        }
        tihea.valmis(tiheat);
        harva.valmis(harvat);
        ASSERT_EQ(harva.cupPituus, tihea.cupPituus);
        ASSERT_EQ(tiheat.size(), harvat.size());
        for (size_t i = 0; i < tiheat.size(); ++i) {
            EXPECT_EQ(harvat[i].nimi, tiheat[i].nimi);
            EXPECT_EQ(testi::levita(harvat[i], harva.cupPituus), tiheat[i].cupPisteet)
                << tiheat[i].nimi;
            const auto &paikat = harvat[i].cupHarva.paikat();
            EXPECT_TRUE(std::adjacent_find(paikat.begin(), paikat.end(), std::greater_equal<>()) ==
                        paikat.end());
        }
    }
}

// The engine against the exchange loop itself, written out here: every level changes a few
// rows (times added, apple totals that rank better as they grow, rows made with small keys
// behind long groups of equal keys), and the ranking must be the loop's from the order at
// the start of the level, whichever groups the engine left unread in between.
TEST(RiviHakemisto, EveryLevelRanksAsTheExchangeLoopFromTheOrderAtItsStart) {
    auto aika = [](unsigned sadasosat, unsigned omenat) {
        Aika a;
        a.sadasosat = sadasosat % 100;
        a.sekunnit = sadasosat / 100 % 60;
        a.minuutit = sadasosat / 6000;
        a.omenat = omenat;
        return a;
    };
    for (unsigned siemen = 1; siemen <= 40; ++siemen) {
        std::mt19937 g(siemen);
        const unsigned nimia = 4 + siemen % 5 * 12, arvoja = 1 + siemen % 4;
        std::vector<Pelaaja> rivit;
        std::vector<std::string> odotettu; // names in the loop's order
        RiviHakemisto h;
        h.rakenna(rivit);
        for (unsigned l = 1; l <= 150; ++l) {
            RiviHakemisto::Kaytossa k(h, rivit);
            for (unsigned c = g() % 7; c > 0; --c) {
                const std::string nimi = "N" + std::to_string(g() % (nimia + l / 2));
                Pelaaja *p = k.muutettava(nimi);
                const unsigned v = g() % 10;
                if (!p) {
                    Pelaaja uusi;
                    uusi.nimi = nimi;
                    uusi.totalAika =
                        v == 0 ? aika(0, 1 + g() % 3) : aika(100 * (1 + g() % arvoja), 0);
                    k.lisaa(std::move(uusi));
                    odotettu.push_back(nimi);
                } else if (p->totalAika.omenat > 0) {
                    p->totalAika.omenat += g() % 2; // more apples: a better total
                } else if (v == 1 && siemen % 3 == 0) {
                    p->totalAika = Aika(); // no key: the rule itself ranks
                } else {
                    p->totalAika = p->totalAika + aika(100 * (g() % arvoja), 0);
                }
            }
            h.jarjesta(rivit);
            std::vector<const Pelaaja *> loop;
            for (const std::string &n : odotettu)
                loop.push_back(&rivi(rivit, n));
            for (size_t i = 0; i < loop.size(); ++i)
                for (size_t j = i + 1; j < loop.size(); ++j)
                    if (loop[j]->totalAika < loop[i]->totalAika)
                        std::swap(loop[i], loop[j]);
            for (size_t i = 0; i < loop.size(); ++i)
                odotettu[i] = loop[i]->nimi;
            std::vector<Pelaaja> valmiit = rivit;
            RiviHakemisto kopio = h;
            kopio.valmis(valmiit);
            ASSERT_EQ(valmiit.size(), odotettu.size());
            for (size_t i = 0; i < valmiit.size(); ++i)
                ASSERT_EQ(valmiit[i].nimi, odotettu[i])
                    << "seed " << siemen << ", level " << l << ", row " << i;
            if (l % 50 == 0) { // the table put in order, and counted on from there
                h.valmis(rivit);
                if (l % 100 == 0)
                    h.rakenna(rivit);
            }
        }
    }
}

TEST(TotaliMuisti, ServesACountOnlyForTheSameRunsAndSettings) {
    std::vector<Level> levels = {
        testi::level("L", {ajo("A [x]", "1:00,00"), ajo("B", "0:59,00", true)}),
        testi::level("M", {ajo("B", "0:30,00"), ajo("C [x]", "0:31,00")})};
    Tulostusasetukset o;
    std::vector<unsigned> cup = {10, 5};
    TotaliMuisti m;
    int laskuja = 0;
    auto hae = [&](std::size_t levelLkm, bool cupilla) {
        return m.hae(levels, levelLkm, o, cup, cupilla, [&] {
            ++laskuja;
            return TotaliMuisti::Tulos{laskeKokoelmanTotalit(levels, o, cup, nullptr), 7};
        });
    };
    const TotaliMuisti::Tulos &t = hae(2, false);
    EXPECT_EQ(laskuja, 1);
    EXPECT_EQ(t.cupPituus, 7u);
    EXPECT_EQ(t.rivit.size(), laskeKokoelmanTotalit(levels, o, cup, nullptr).size());
    hae(2, false);
    EXPECT_EQ(laskuja, 1);

    // Every change of what a count reads makes a new count; the same again is served.
    const std::vector<std::function<void()>> muutokset = {
        [&] { levels[1].vaihdaPelaajanNimi("C [x]", "C [y]"); },
        [&] { levels[0].lisaaAjo(ajo("D", "2:00,00")); },
        [&] { levels[1].poistaAjo(0); },
        [&] { levels[1].lisaaAjo(ajo("B", "0:30,01")); },
        [&] { levels[0].lisaaAjo(ajo("E", "3:00,00", true)); },
        [&] { o.tiimit = !o.tiimit; },
        [&] { o.lihavoiUudet = !o.lihavoiUudet; },
        [&] { levels.push_back(testi::level("N", {})); },
    };
    for (std::size_t k = 0; k < muutokset.size(); ++k) {
        muutokset[k]();
        hae(levels.size(), false);
        EXPECT_EQ(laskuja, static_cast<int>(k + 2)) << "change " << k;
        hae(levels.size(), false);
        EXPECT_EQ(laskuja, static_cast<int>(k + 2)) << "change " << k;
    }
    const int ennen = laskuja;
    hae(levels.size() - 1, false); // fewer levels
    hae(levels.size() - 1, true);  // with cup points
    cup[1] = 6;                    // another cup table
    hae(levels.size() - 1, true);
    cup[1] = 5;
    hae(levels.size() - 1, true); // the one before is no longer kept
    EXPECT_EQ(laskuja, ennen + 4);
    cup[1] = 6;
    hae(levels.size() - 1, false); // without cup points the table is not read
    hae(levels.size() - 1, false);
    EXPECT_EQ(laskuja, ennen + 5);
}
