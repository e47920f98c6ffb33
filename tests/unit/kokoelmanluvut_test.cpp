#include "stats/kokoelmanluvut.h"
#include "testiapu.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vt;
using testi::ajo;

namespace {

Pelaaja rivi(const std::string &nimi, unsigned parhaita = 0, bool tiimi = false) {
    Pelaaja p;
    p.nimi = nimi;
    p.parhaidenLkm = parhaita;
    p.tiimi = tiimi;
    return p;
}

std::vector<std::string> nimet(const std::vector<Pelaaja> &rivit) {
    std::vector<std::string> r;
    for (const Pelaaja &p : rivit)
        r.push_back(p.nimi);
    return r;
}

using Nimet = std::vector<std::string>;

} // namespace

TEST(Kokoelmanluvut, ListedLevelsAndTheirWinningTimes) {
    const std::vector<Level> l = {
        testi::level("A", {ajo("P", "0:10,00"), ajo("Q", "0:12,00"), ajo("P, Q", "0:30,00")}),
        Level("Empty"), testi::level("B", {ajo("Q, P", "0:20,00"), ajo("P, Q", "0:25,00")}),
        testi::level("C", {ajo("Q", "1:01,50")})};
    Tulostusasetukset o;
    EXPECT_EQ(listattujenLkm(l, o), 4u);
    // Single player: 0:10,00 + 1:01,50; a level without single player runs adds nothing.
    EXPECT_EQ(listattujenVoittoajat(l, o, false).str(), Aika("1:11,50").str());
    EXPECT_EQ(listattujenVoittoajat(l, o, true).str(), Aika("0:50,00").str());
    o.tyhjatLevelit = false;
    EXPECT_EQ(listattujenLkm(l, o), 3u);
    EXPECT_EQ(listattujenLkm({}, o), 0u);
    EXPECT_TRUE(listattujenVoittoajat({}, o, false).nolla());
}

TEST(Kokoelmanluvut, TotalsSplitIntoPlayersAndTeamsInTheirOrder) {
    const std::vector<Pelaaja> rivit = {rivi("B"), rivi("RED", 0, true), rivi("A, Longer name"),
                                        rivi("A"), rivi("BLU", 0, true)};
    Tulostusasetukset o;
    o.lisatilastot = false;
    Kokoelmanluvut k = laskeKokoelmanluvut(rivit, {}, o);
    EXPECT_EQ(nimet(k.pelaajat), (Nimet{"B", "A, Longer name", "A"}));
    EXPECT_EQ(nimet(k.tiimit), (Nimet{"RED", "BLU"}));
    EXPECT_EQ(k.pisinNimi, 14u);
    // Without extra statistics nothing of them is counted.
    EXPECT_TRUE(k.parhaatPelaajat.empty());
    EXPECT_EQ(k.aari.lyhin, nullptr);

    // Multiplayer names leave the totals when multiplayer times are not printed, but the
    // longest name is still taken over every row.
    o.multiAjat = false;
    o.tiimit = false;
    k = laskeKokoelmanluvut(rivit, {}, o);
    EXPECT_EQ(nimet(k.pelaajat), (Nimet{"B", "A"}));
    EXPECT_TRUE(k.tiimit.empty());
    EXPECT_EQ(k.pisinNimi, 14u);
}

TEST(Kokoelmanluvut, BestTimesRankAllRowsTogether) {
    Tulostusasetukset o;
    o.multiAjat = false;
    // The exchange ranking turns equal counts around behind a larger one that passes them:
    // P2 ends before P1 only because the team's row is ranked with them.
    Kokoelmanluvut k = laskeKokoelmanluvut(
        {rivi("P1", 1), rivi("P2", 1), rivi("T", 2, true), rivi("P3, P4", 0)}, {}, o);
    EXPECT_EQ(nimet(k.parhaatPelaajat), (Nimet{"P2", "P1", "P3, P4"}));
    EXPECT_EQ(nimet(k.parhaatTiimit), Nimet{"T"});
    // The totals keep the order they were given.
    EXPECT_EQ(nimet(k.pelaajat), (Nimet{"P1", "P2"}));

    o.tiimit = false;
    k = laskeKokoelmanluvut({rivi("P1", 1), rivi("P2", 1), rivi("T", 2, true)}, {}, o);
    EXPECT_EQ(nimet(k.parhaatPelaajat), (Nimet{"P2", "P1"}));
    EXPECT_TRUE(k.parhaatTiimit.empty());
    k = laskeKokoelmanluvut({rivi("P1", 1), rivi("P2", 1), rivi("P3", 3)}, {}, o);
    EXPECT_EQ(nimet(k.parhaatPelaajat), (Nimet{"P3", "P2", "P1"}));
}

TEST(Kokoelmanluvut, ExtraStatisticsOfTheLevels) {
    const std::vector<Level> l = {testi::level("Mid", {ajo("P", "0:20,00")}), Level("Empty"),
                                  testi::level("Short", {ajo("P", "0:09,00"), ajo("Q", "0:30,00")}),
                                  testi::level("Long", {ajo("Q", "1:00,00")})};
    Tulostusasetukset o;
    Kokoelmanluvut k = laskeKokoelmanluvut({}, l, o);
    ASSERT_NE(k.aari.lyhin, nullptr);
    ASSERT_NE(k.aari.pisin, nullptr);
    EXPECT_EQ(k.aari.lyhin->annaNimi(), "Short");
    EXPECT_EQ(k.aari.pisin->annaNimi(), "Long");
    // The empty level adds the ten-minute penalty to the anonymous total only.
    EXPECT_EQ(k.anonyymi.lapaistyja, 3u);
    EXPECT_EQ(k.anonyymi.voittoajat.str(), Aika("1:29,00").str());
    EXPECT_EQ(k.anonyymi.total.str(), Aika("11:29,00").str());
}
