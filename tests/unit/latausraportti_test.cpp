#include "model/pisteet.h"
#include "stats/latausraportti.h"
#include "stats/luestats.h"
#include "testiapu.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vt;
using testi::ajo;
using testi::level;

namespace {

// Loads `teksti` into `levelit` as the menu does and gives the report's text.
std::string lataa(std::vector<Level> &levelit, const std::string &teksti,
                  const Tulostusasetukset &asetukset = {}) {
    const EnnenLatausta ennen = muistaEnnenLatausta(levelit, asetukset, false);
    std::istringstream in(teksti);
    std::ostringstream konsoli;
    lueStats(in, levelit, false, konsoli);
    return latausraporttiTeksti(laskeLatausraportti(ennen, levelit, asetukset, {}, false));
}

} // namespace

TEST(Latausraportti, CountsNewLevelsTimesAndBestTimes) {
    std::vector<Level> levelit{level("A", {ajo("Bob", "0:20,00")}), level("B", {}),
                               level("C", {ajo("Bob", "0:10,00")})};
    const std::string r = lataa(levelit, "  Level 1, A:\n     0:19,99 Ann\n\n"
                                         "  Level 3, C:\n     0:10,00 Ann\n\n"
                                         "  Level 4, D:\n     0:30,00 Ann\n\n");
    // A's best improved and D is new; C's equal time is no new best.
    EXPECT_EQ(r, "1 levels and 3 times added. \n"
                 "Totally 2 new best times in levels 1, 4\n"
                 "The following player was added: Ann\n");
}

TEST(Latausraportti, OneNewBestTimeIsSingular) {
    std::vector<Level> levelit;
    EXPECT_EQ(lataa(levelit, "  Level 1, A:\n     0:19,99 Ann\n\n"),
              "1 levels and 1 times added. \n"
              "Totally 1 new best time in level 1\n"
              "The following player was added: Ann\n");
    // The same file again adds nothing and reports no best time.
    EXPECT_EQ(lataa(levelit, "  Level 1, A:\n     0:19,99 Ann\n\n"),
              "0 levels and 0 times added. \n");
}

TEST(Latausraportti, AddedNamesSortedWithoutCaseTeamsApart) {
    std::vector<Level> levelit{level("A", {ajo("carl [X]", "0:20,00")})};
    const std::string r = lataa(levelit, "  Level 1, A:\n     0:21,00 bob [X]\n"
                                         "     0:22,00 Ann [Y]\n     0:23,00 Dave\n\n");
    EXPECT_EQ(r, "0 levels and 3 times added. \n"
                 "The following players were added: Ann [Y], bob [X], Dave\n"
                 "The following team was added: Y\n");
    // With team statistics off, teams are neither counted nor reported.
    Tulostusasetukset ilman;
    ilman.tiimit = false;
    std::vector<Level> toiset{level("A", {ajo("carl [X]", "0:20,00")})};
    EXPECT_EQ(lataa(toiset, "  Level 1, A:\n     0:22,00 Ann [Y]\n\n", ilman),
              "0 levels and 1 times added. \nThe following player was added: Ann [Y]\n");
}

TEST(Latausraportti, NamesEqualButForCaseKeepTheTotalsOrder) {
    // Ann is faster, so her row stands first in the totals and stays first in the report.
    std::vector<Level> levelit;
    const std::string r =
        lataa(levelit, "  Level 1, A:\n     0:10,00 ann\n     0:20,00 ANN\n     0:30,00 Ann\n\n");
    EXPECT_EQ(r, "1 levels and 3 times added. \n"
                 "Totally 1 new best time in level 1\n"
                 "The following players were added: ann, ANN, Ann\n");
}

TEST(Latausraportti, BattleLogReportsOnlyTheCounts) {
    std::vector<Level> levelit{level("A", {ajo("Bob", "0:20,00")})};
    const EnnenLatausta ennen = muistaEnnenLatausta(levelit, {}, true);
    EXPECT_TRUE(ennen.nimet.empty());
    levelit.push_back(level("B", {ajo("Ann", "0:10,00"), ajo("Bob", "0:11,00")}));
    const Latausraportti r = laskeLatausraportti(ennen, levelit, {}, {}, true);
    EXPECT_EQ(r.uudetParhaat, std::vector<std::size_t>{2});
    EXPECT_TRUE(r.pelaajat.empty());
    EXPECT_EQ(latausraporttiTeksti(r), "1 levels and 2 times added. \n");
}
