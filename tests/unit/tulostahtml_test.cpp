#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "testiapu.h"

#include <gtest/gtest.h>
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
