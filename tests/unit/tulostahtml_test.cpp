#include "model/totalit.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"
#include "testiapu.h"
#include "util/teksti.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace vt;
using testi::ajo;

namespace {
const Kello kello = [] { return std::string("Wed Dec 06 18:48:00 2006\n"); };
std::string sivu(const std::vector<Level> &l, Tulostusasetukset o, bool enabled = true) {
    std::ostringstream out, k;
    tulostaHtml(out, l, o, enabled, "T", {}, "http://x/", k, kello);
    return out.str();
}
} // namespace

TEST(TulostaHtml, DisabledWritesNothing) { EXPECT_EQ(sivu({Level("a")}, {}, false), ""); }

TEST(TulostaHtml, CommentCannotBeEndedByAName) {
    std::vector<Level> l = {testi::level("L-->", {ajo("x-->y", "0:10,00")})};
    std::string t = sivu(l, {});
    size_t alku = t.find("<!--\n");
    ASSERT_NE(alku, std::string::npos);
    EXPECT_EQ(t.find("-->", alku), t.rfind("\n-->\n</body>\n</html>\n") + 1);
    EXPECT_NE(t.find("<td>1.</td><td>L--&gt;<br></td>\n"), std::string::npos);
}

TEST(TulostaHtml, MultiplayerNamesSkippedInTotalsWithoutGaps) {
    std::vector<Level> l = {
        testi::level("L", {ajo("A, B", "0:09,00"), ajo("C", "0:10,00"), ajo("D", "0:11,00")})};
    Tulostusasetukset o;
    o.multiAjat = false;
    o.lapaistyt = false;
    std::string t = sivu(l, o);
    EXPECT_EQ(t.find("<h2>Multiplayer times:"), std::string::npos);
    EXPECT_NE(t.find("<b>Total Time</b></td></tr>\n<tr><td>1.</td><td>C              </td><td>"
                     "     0:10,00</td></tr>\n<tr><td>2.</td><td>D              </td><td>     "
                     "0:11,00</td></tr>\n</table></code>\n"),
              std::string::npos);
    // The best-times table still lists the multiplayer name.
    EXPECT_NE(t.find("<tr><td>1.</td><td>A, B                </td><td>1</td></tr>\n"),
              std::string::npos);
    EXPECT_EQ(t.find("Team total times"), std::string::npos);
    // The embedded copy always has the multiplayer runs.
    EXPECT_NE(t.find("Multiplayer times: \n\n  Level 1, L:\n     0:09,00 A, B\n"),
              std::string::npos);
}

TEST(TulostaHtml, EmbeddedCopyReadsBackAsTheSameRuns) {
    std::vector<Level> l = {
        testi::level("Hill & <Dale>", {ajo("A<&\"", "0:10,00"), ajo("B [t]", "0:11,00")}),
        Level("Empty")};
    std::istringstream in(sivu(l, {}));
    std::vector<Level> takaisin;
    std::ostringstream k;
    lueStats(in, takaisin, false, k);
    ASSERT_EQ(takaisin.size(), 2u);
    EXPECT_EQ(takaisin[0].annaNimi(), "Hill & <Dale>");
    ASSERT_EQ(takaisin[0].annaAjojenLkm(), 2u);
    EXPECT_EQ(takaisin[0].ajot()[0].nimi, "A<&\"");
    EXPECT_EQ(takaisin[1].annaAjojenLkm(), 0u);
}

TEST(TulostaHtml, HeadDeclaresTheEncodingOfTheWholePage) {
    const std::string viewport =
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    auto paa = [&](const std::string &charset, const std::string &otsikko) {
        return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n\n<html>\n"
               "<head><meta charset=\"" +
               charset + "\">\n" + viewport + "<title>" + otsikko + "</title></head>\n<body>\n";
    };
    auto sivuOtsikolla = [](const std::vector<Level> &l, const std::string &otsikko) {
        std::ostringstream out, k;
        tulostaHtml(out, l, {}, true, otsikko, {}, "http://x/", k, kello);
        return out.str();
    };
    const std::string jorUtf8 = "J\xc3\xb6r\xc3\xb6 [\xc3\x84\xc3\x96]";
    const std::string jor8 = "J\xf6r\xf6 [\xc4\xd6]";
    // Plain ASCII and UTF-8 names are UTF-8.
    EXPECT_EQ(sivu({testi::level("L", {ajo("Bob", "0:10,00")})}, {}).rfind(paa("utf-8", "T"), 0),
              0u);
    const std::string u = sivu({testi::level("\xc3\x85l\xc3\xb6", {ajo(jorUtf8, "0:10,00")})}, {});
    EXPECT_EQ(u.rfind(paa("utf-8", "T"), 0), 0u);
    // An 8-bit byte anywhere, in a name, a level or the title, makes it the 8-bit page.
    EXPECT_EQ(
        sivu({testi::level("L", {ajo(jor8, "0:10,00")})}, {}).rfind(paa("windows-1252", "T"), 0),
        0u);
    EXPECT_EQ(sivu({testi::level("\xc5l\xf6", {ajo(jorUtf8, "0:10,00")})}, {})
                  .rfind(paa("windows-1252", "T"), 0),
              0u);
    EXPECT_EQ(sivuOtsikolla({testi::level("L", {ajo(jorUtf8, "0:10,00")})}, "Cup \xe5")
                  .rfind(paa("windows-1252", "Cup \xe5"), 0),
              0u);
    // A name seen only in the hidden copy counts too: a level without runs is left off the
    // visible lists (empty levels not shown) but is in the copy.
    Tulostusasetukset piilo;
    piilo.tyhjatLevelit = false;
    const std::string p =
        sivu({testi::level("L", {ajo("Bob", "0:10,00")}), Level("Tyhj\xe4")}, piilo);
    EXPECT_EQ(p.rfind(paa("windows-1252", "T"), 0), 0u);
    // Exactly one declaration, and UTF-8 columns are padded by what they show.
    EXPECT_EQ(u.find("charset"), u.rfind("charset"));
    EXPECT_NE(u.find("<td>" + jorUtf8 + "      </td>"), std::string::npos);
    // The page still reads back with the names' own bytes.
    std::istringstream in(u);
    std::vector<Level> takaisin;
    std::ostringstream k;
    lueStats(in, takaisin, false, k);
    ASSERT_EQ(takaisin.size(), 1u);
    EXPECT_EQ(takaisin[0].annaNimi(), "\xc3\x85l\xc3\xb6");
    ASSERT_EQ(takaisin[0].annaAjojenLkm(), 1u);
    EXPECT_EQ(takaisin[0].ajot()[0].nimi, jorUtf8);
}

TEST(TulostaHtml, AnAppleOnlyLevelIsTheLongest) {
    std::vector<Level> l = {testi::level("Quick", {ajo("A", "0:10,00")}),
                            testi::level("Apples", {ajo("A", "5")})};
    const std::string t = sivu(l, {});
    EXPECT_NE(t.find("<br><h1>Extra statistics:</h1><p>\n"
                     "  Shortest level was Quick with winning time      0:10,00<br>\n"
                     "  Longest level was Apples with winning time     5 apples<br>\n"),
              std::string::npos)
        << t;
}

TEST(TulostaHtml, DataCopyOfTotalsCountedOnceIsTheCopyCountedAlone) {
    // Without teams the page and its data copy share one counting of the totals: the copy
    // must be what the stat writer alone writes with the copy's options (its own penalties:
    // empty levels count there), and the console must report the counting twice as before.
    std::vector<Level> levelit;
    for (unsigned l = 0; l < 1001; ++l) {
        Level level("L" + std::to_string(l));
        if (l % 7 != 3)
            for (unsigned r = 0; r < 3; ++r) {
                const unsigned p = (l * 3 + r * 5) % 11;
                Ajo a = ajo("P" + std::to_string(p) + (p % 3 == 0 ? " [T]" : ""), "0:10,00");
                a.aika.sekunnit = 10 + (l + r) % 3;
                a.uusi = r == 1;
                level.lisaaAjo(a);
            }
        levelit.push_back(std::move(level));
    }
    Tulostusasetukset o;
    o.tyhjatLevelit = false;
    o.lihavoiUudet = true;
    o.lapaistyt = true;
    o.tiimit = false;
    std::ostringstream sivuOut, sivuKonsoli;
    tulostaHtml(sivuOut, levelit, o, true, "T", {}, "http://x/", sivuKonsoli, kello);
    const std::string sivu = sivuOut.str();

    Tulostusasetukset upotettu;
    upotettu.tyhjatLevelit = true;
    upotettu.vainParas = o.vainParas;
    upotettu.keskiarvoYksi = false;
    upotettu.keskiarvoUseita = false;
    upotettu.lihavoiUudet = false;
    upotettu.kaikkiAjat = true;
    upotettu.lapaistyt = false;
    upotettu.multiAjat = true;
    upotettu.tiimit = false;
    upotettu.lisatilastot = false;
    std::ostringstream kopio, kopioKonsoli;
    tulostaStats(kopio, levelit, upotettu, true, {}, kopioKonsoli, kello);
    const std::string alku = std::string("<!--\n") + HTML_KOPION_ALKU + "\n";
    ASSERT_NE(sivu.find(alku), std::string::npos);
    EXPECT_EQ(sivu.substr(sivu.find(alku) + alku.size()),
              kommenttiin(kopio.str()) + "\n-->\n</body>\n</html>\n");
    // The totals of the page itself: penalties for the listed levels only (143 are empty).
    std::ostringstream k;
    const std::vector<Pelaaja> rivit = laskeSijoitetutTotalit(levelit, o, {}, 1001 - 143, k);
    const size_t totalit = sivu.find("<h1>Total times</h1>");
    ASSERT_NE(totalit, std::string::npos);
    const Pelaaja &p = rivit[0];
    const std::string b = p.uusiAika ? "<b>" : "";
    EXPECT_NE(sivu.find("<tr><td>" + b + "1.</td><td>" + b + pidenna(p.nimi, 15) + "</td><td>" + b +
                            p.totalAika.str() + "</td><td>" + b + std::to_string(p.levelienLkm) +
                            "</td></tr>\n",
                        totalit),
              std::string::npos);
    std::ostringstream tiimitOut, tiimitKonsoli;
    o.tiimit = true;
    tulostaHtml(tiimitOut, levelit, o, true, "T", {}, "http://x/", tiimitKonsoli, kello);
    EXPECT_EQ(sivuKonsoli.str(), tiimitKonsoli.str());
    const std::string laskenta = "Calculating total times...\n500/1001 levels counted...\n"
                                 "1000/1001 levels counted...\n1001/1001 levels counted.\n";
    const size_t eka = sivuKonsoli.str().find(laskenta);
    ASSERT_NE(eka, std::string::npos);
    EXPECT_NE(sivuKonsoli.str().find(laskenta, eka + 1), std::string::npos);
}

namespace {
// A collection of a few players, teams and pairs, with ties.
std::vector<Level> satunnainenKokoelma(std::mt19937 &g, std::size_t levelLkm) {
    const std::vector<std::string> nimet = {"a [x]", "b [x]", "c [y]", "d", "e [y]", "a,d"};
    std::vector<Level> l;
    for (std::size_t i = 0; i < levelLkm; ++i) {
        l.emplace_back("Level " + std::to_string(i));
        for (int k = static_cast<int>(g() % 5); k > 0; --k)
            l.back().lisaaAjo(testi::ajo(nimet[g() % nimet.size()],
                                         "0:" + std::to_string(10 + g() % 3) + ",00", g() % 2));
    }
    return l;
}
} // namespace

TEST(TulostaHtml, TotalsKeptForTheNextWriterGiveTheSameFilesAndConsoleAfterEveryChange) {
    std::mt19937 g(11);
    std::vector<Level> l = satunnainenKokoelma(g, 40);
    TotaliMuisti muisti;
    for (int kierros = 0; kierros < 12; ++kierros) {
        Tulostusasetukset o;
        o.tiimit = kierros % 3 != 0;
        o.lihavoiUudet = kierros % 4 == 1;
        for (int kerta = 0; kerta < 2; ++kerta) {
            std::ostringstream stats, statsMuistista, sivu, sivuMuistista, k, kMuistista;
            tulostaStats(stats, l, o, true, {}, k, kello);
            tulostaStats(statsMuistista, l, o, true, {}, kMuistista, kello, nullptr, &muisti);
            tulostaHtml(sivu, l, o, true, "T", {}, "u", k, kello);
            tulostaHtml(sivuMuistista, l, o, true, "T", {}, "u", kMuistista, kello, &muisti);
            ASSERT_EQ(statsMuistista.str(), stats.str()) << kierros;
            ASSERT_EQ(sivuMuistista.str(), sivu.str()) << kierros;
            ASSERT_EQ(kMuistista.str(), k.str()) << kierros;
        }
        // A change between writers: a run renamed, added or taken away.
        Level &level = l[g() % l.size()];
        switch (kierros % 3) {
        case 0:
            level.vaihdaPelaajanNimi("a [x]", "a [z]");
            break;
        case 1:
            level.lisaaAjo(testi::ajo("f [x]", "0:09,00"));
            break;
        default:
            level.poistaAjo(0);
        }
    }
}
