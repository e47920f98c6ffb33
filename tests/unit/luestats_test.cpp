#include "stats/luestats.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace vt;

namespace {
std::vector<Level> lue(const std::string &teksti, std::vector<Level> levelit = {},
                       bool uusi = false, std::string *konsoli = nullptr) {
    std::istringstream in(teksti);
    std::ostringstream out;
    lueStats(in, levelit, uusi, out);
    if (konsoli)
        *konsoli = out.str();
    return levelit;
}
} // namespace

TEST(EtsiLevel, HeaderShapes) {
    EXPECT_EQ(etsiLevel("  Level 3, Hill climb:"), "Hill climb");
    EXPECT_EQ(etsiLevel("Level 3, x (Real Name):"), "Real Name");
    EXPECT_EQ(etsiLevel("Level 3: x, rest of line "), "rest of line");
    EXPECT_EQ(etsiLevel("level 3, Hill:"), "");
    EXPECT_EQ(etsiLevel("Level 3 Hill:"), "");
    EXPECT_EQ(etsiPelaaja("    1:00,00  Bob [FI]  Average: 1:00,00", false), "Bob [FI]");
    EXPECT_EQ(etsiPelaaja("   Bob   1:00,00   ", true), "Bob");
}

TEST(LueStats, BlocksEndAtTheFirstLineThatIsNoRun) {
    std::string konsoli;
    auto l = lue("  Level 1, Warm Up:\n     0:10,00 A\n     0:11,00 B\n\n  Level 2, Hill:\n\n", {},
                 false, &konsoli);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].annaAjojenLkm(), 2u);
    EXPECT_EQ(l[1].annaAjojenLkm(), 0u);
    EXPECT_EQ(konsoli, "Level Warm Up added.\nLevel Hill added.\n");
    // A header straight after the last run is used up by the block.
    auto m = lue("  Level 1, A:\n     0:10,00 A\n  Level 2, B:\n     0:10,00 A\n");
    EXPECT_EQ(m.size(), 1u);
}

TEST(LueStats, MergingIsCaseInsensitiveOverThirtyCharactersAndKeepsOldRuns) {
    auto l = lue("Level 1, Warm Up:\n 0:10,00 A\n");
    l = lue("Level 1, warm up:\n 0:10,00 A\n 0:12,00 B\n", l, true);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].annaNimi(), "Warm Up");
    ASSERT_EQ(l[0].annaAjojenLkm(), 2u);
    EXPECT_FALSE(l[0].ajot()[0].uusi);
    EXPECT_TRUE(l[0].ajot()[1].uusi);
    auto m = lue(
        "Level 1, abcdefghijklmnopqrstuvwxyz0123X:\n\nLevel 2, ABCDEFGHIJKLMNOPQRSTUVWXYZ0123Y:\n");
    EXPECT_EQ(m.size(), 1u);
}

TEST(LueStats, ManyLevelsMergeIntoTheFirstLevelOfTheirKey) {
    // Enough levels to grow the lookup several times; read again in reverse, in other case.
    std::string eka;
    std::vector<std::string> toka;
    for (int i = 0; i < 1500; ++i) {
        const std::string n = std::to_string(i);
        eka.append("  Level 1, Track ").append(n).append(":\n     0:10,00 A\n \t \n");
        toka.push_back(std::string("  Level 1, TRACK ")
                           .append(n)
                           .append(":\n     0:2")
                           .append(std::to_string(i % 10))
                           .append(",00 B")
                           .append(n)
                           .append("\n\n"));
    }
    auto l = lue(eka);
    ASSERT_EQ(l.size(), 1500u);
    std::string konsoli;
    std::string takaperin;
    for (auto t = toka.rbegin(); t != toka.rend(); ++t)
        takaperin += *t;
    l = lue(takaperin, l, false, &konsoli);
    ASSERT_EQ(l.size(), 1500u);
    EXPECT_EQ(konsoli, "");
    for (int i = 0; i < 1500; ++i) {
        ASSERT_EQ(l[i].annaAjojenLkm(), 2u) << i;
        EXPECT_EQ(l[i].ajot()[1].nimi, std::string("B").append(std::to_string(i)));
    }
    // Two levels of the collection with the same key: the first one takes the runs.
    std::vector<Level> kaksi{Level("Same"), Level("SAME"), Level("Other")};
    kaksi = lue("Level 1, same:\n 0:10,00 C\n", kaksi);
    ASSERT_EQ(kaksi.size(), 3u);
    EXPECT_EQ(kaksi[0].annaAjojenLkm(), 1u);
    EXPECT_EQ(kaksi[1].annaAjojenLkm(), 0u);
}

TEST(LueStats, ApplesHoursMultiplayerAndCrlf) {
    auto l = lue("Level 1, A:\r\n    5 apples    Eve\r\n     1 apple Frank\r\n    00:14:50    "
                 "Ann, Bob\r\n  Pineapple 0:10,00\r\n");
    ASSERT_EQ(l[0].annaAjojenLkm(), 3u);
    EXPECT_EQ(l[0].ajot()[0].aika, Aika("5"));
    EXPECT_EQ(l[0].ajot()[1].nimi, "Frank");
    EXPECT_TRUE(l[0].ajot()[2].multiplayer());
    auto n = lue("Level 1, A:\n  0:10,00 Pineapple\n");
    EXPECT_EQ(n[0].ajot()[0].nimi, "Pine");
    // Times of an hour or more, in the game's and in this program's own layout.
    auto h = lue("Level 1, A:\n    01:01:23:45 Carl\n  1:01:23,45 Dan\n     1:00,00 Eve\n");
    ASSERT_EQ(h[0].annaAjojenLkm(), 3u);
    EXPECT_EQ(h[0].ajot()[0].aika.minuutit, 61u);
    EXPECT_EQ(h[0].ajot()[1].aika.str(), "  1:01:23,45");
    // Anything else with seven or more digits still ends the block.
    auto x = lue("Level 1, A:\n  1:02:03:04:05 Carl\n     1:00,00 Eve\n");
    EXPECT_EQ(x[0].annaAjojenLkm(), 0u);
}

TEST(LueStats, TheWordsAppleAndApplesGoOutOfTheLineInThatOrder) {
    // "apples" goes first, then "apple", also one that taking "apples" out made.
    auto l = lue("Level 1, A:\n  0:10,00 Xapplesapple\n  0:11,00 Yappapplesle\n"
                 "  0:12,00 Zapplez\n  7 apples Appleseed Ann\n");
    ASSERT_EQ(l.size(), 1u);
    ASSERT_EQ(l[0].ajot().size(), 4u);
    EXPECT_EQ(l[0].ajot()[0].nimi, "X");
    EXPECT_EQ(l[0].ajot()[1].nimi, "Y");
    EXPECT_EQ(l[0].ajot()[2].nimi, "Zz");
    EXPECT_EQ(l[0].ajot()[3].nimi, "Appleseed Ann");
    EXPECT_EQ(l[0].ajot()[3].aika.omenat, 7u);
    auto t = lue("Level 2, B results:\n Pos. Player Time\n-----\n 1. Bob apples  0:09,00  100\n");
    ASSERT_EQ(t.size(), 1u);
    ASSERT_EQ(t[0].ajot().size(), 1u);
    EXPECT_EQ(t[0].ajot()[0].nimi, "Bob");
    EXPECT_EQ(t[0].ajot()[0].aika.str(), "     0:09,00");
}

TEST(LueStats, HoursTimesWithABadFieldEndTheBlock) {
    // A two-digit hour with the comma before the hundredths reads too.
    auto h = lue("Level 1, A:\n  01:01:23,45 Eve\n");
    ASSERT_EQ(h[0].annaAjojenLkm(), 1u);
    EXPECT_EQ(h[0].ajot()[0].aika.minuutit, 61u);
    EXPECT_EQ(h[0].ajot()[0].aika.sekunnit, 23u);
    EXPECT_EQ(h[0].ajot()[0].aika.sadasosat, 45u);
    // Seven or more digits that are no hours time (a three-digit hour, sixty minutes or
    // seconds, a zero hour, a wrong separator): no run.
    for (const char *aika :
         {"123:01:23,45", "1:60:23,45", "1:01:60,45", "0:01:23,45", "1:01:23.45", "1:01,23,45"}) {
        auto l = lue(std::string("Level 1, A:\n  ") + aika + " Carl\n     1:00,00 Eve\n");
        EXPECT_EQ(l[0].annaAjojenLkm(), 0u) << aika;
    }
}

TEST(LueStats, CupTableResults) {
    auto l = lue("Level 2, Hill results: \n\n Pos.  Player [Team]       Time       Points\n"
                 "-----------------\n 1.    Ann            0:10,00       100\n"
                 "       Bob            0:10,00       42.5\n 3.    Cid            0:11,00         "
                 "0\n\nThis text file was generated by x\n");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].annaNimi(), "Hill");
    ASSERT_EQ(l[0].annaAjojenLkm(), 3u);
    EXPECT_EQ(l[0].ajot()[1].nimi, "Bob");
    EXPECT_EQ(l[0].ajot()[2].aika, Aika("0:11,00"));
}

TEST(LueStats, TheTotalsAndStatisticsOfItsOwnFilesHoldNoLevels) {
    // Every line after the totals caption would read as a header on its own: "Level" in a
    // name, a comma and a colon in the time.
    const std::string oma = "Single player times: \n\n"
                            "  Level 1, Bonus Level:\n     0:50,00 LevelKing\n\n\n"
                            "Multiplayer times: \n\n  Level 1, Bonus Level:\n\n\n\n"
                            "The following are the single player total times for individual "
                            "players.\n"
                            "If a player doesn't have a time in the top ten for a level, this\n"
                            "will add ten minutes to the total time.\n"
                            "     0:50,00 LevelKing      (1 levels finished)\n"
                            "    10:00,00 Level, Two:    \n\nTeams:\n"
                            "     0:50,00 Level, x:      \n\n"
                            "The following is the anonymous combined total time of the best\n"
                            "     0:50,00\n\n"
                            "Extra statistics: \n"
                            "  Shortest level was Bonus Level with winning time      0:50,00\n"
                            "  Longest level was Bonus Level with winning time      0:50,00\n"
                            "  Amount of best times of players: \n"
                            "    1.   LevelKing      1 best time in level 1\n\n";
    std::string konsoli;
    auto l = lue(oma, {}, false, &konsoli);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].annaNimi(), "Bonus Level");
    EXPECT_EQ(l[0].annaAjojenLkm(), 1u);
    EXPECT_EQ(konsoli, "Level Bonus Level added.\n");
    // Files put one after another: the next level list opens with its caption.
    l = lue(oma + "Single player times: \n\n  Level 1, Next:\n     0:20,00 Ann\n\n" + oma);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[1].annaNimi(), "Next");
    // The same lines before any totals caption are headers as they always were.
    l = lue("     0:50,00 LevelKing      (1 levels finished)\n     0:11,00 B\n\n");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].annaNimi(), "1 levels finished");
    EXPECT_EQ(l[0].annaAjojenLkm(), 1u);
}

TEST(LueStats, OfAnHtmlPageOnlyTheDataCommentIsRead) {
    const std::string kommentti =
        "<!--\n" + std::string(HTML_KOPION_ALKU) +
        "\nSingle player times: \n\n  Level 1, Bonus Level:\n     0:50,00 LevelKing\n\n"
        "The following are the single player total times for individual players.\n"
        "     0:50,00 LevelKing      \n\n-->\n";
    const std::string runko = "<tr><td>1.</td><td>Bonus Level<br></td>\n"
                              "<td>     0:50,00</td><td>LevelKing</td>\n"
                              "  Level 9, Body:\n     0:10,00 Bob\n\n"
                              "  Shortest level was Bonus Level with winning time 0:50,00<br>\n";
    for (const std::string alku :
         {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n<html>\n",
          "\n\xEF\xBB\xBF<!doctype html>\n", "  <HTML>\n"}) {
        std::string konsoli;
        auto l = lue(alku + runko + kommentti + runko, {}, false, &konsoli);
        ASSERT_EQ(l.size(), 1u) << alku;
        EXPECT_EQ(l[0].annaNimi(), "Bonus Level");
        EXPECT_EQ(konsoli, "Level Bonus Level added.\n");
    }
    // A stat file is no page: its lines all count, the copy's too.
    auto l = lue("  Level 9, Body:\n     0:10,00 Bob\n\n" + kommentti);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].annaNimi(), "Body");
    EXPECT_EQ(l[1].annaNimi(), "Bonus Level");
}
