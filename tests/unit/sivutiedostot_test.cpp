#include "model/sivutiedostot.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vt;

namespace {
bool asetukset(const std::string &t, Tulostusasetukset &a) {
    std::istringstream in(t);
    return lueAsetukset(in, a);
}
std::vector<unsigned> pisteet(const std::string &t, bool *virhe = nullptr) {
    std::istringstream in(t);
    std::vector<unsigned> r;
    bool v = luePisteet(in, r);
    if (virhe)
        *virhe = v;
    return r;
}
} // namespace

TEST(Asetustiedosto, CountsOnlyAsAWhole) {
    Tulostusasetukset a;
    EXPECT_TRUE(asetukset("0 one\n0\n\n  0\n0\n0\n0\n0\n0\n0\n0 ten\nextra\n", a));
    for (unsigned i = 1; i <= 10; ++i)
        EXPECT_FALSE(a.kohta(i));
    Tulostusasetukset b;
    EXPECT_FALSE(asetukset("0\n0\n0\n0\n0\n0\n0\n0\n0\n", b));
    EXPECT_FALSE(asetukset("0\n0\n2\n0\n0\n0\n0\n0\n0\n0\n", b));
    EXPECT_FALSE(asetukset("0\n0\n0\n0\n0\n0\n0\n0\n0\n1", b));
    EXPECT_TRUE(b.tyhjatLevelit && !b.vainParas);
    EXPECT_TRUE(asetukset("0\n1\n1\n1\n1\n1\n1\n1\n1\n0 last line without end", b));
    EXPECT_FALSE(b.tyhjatLevelit);
    EXPECT_TRUE(b.keskiarvoUseita);
    EXPECT_FALSE(b.lisatilastot);
}

TEST(Pistetiedosto, ReadingStopsAtTheFirstNonNumberAndClamps) {
    EXPECT_EQ(pisteet("100\n90\nx\n80\n"), (std::vector<unsigned>{100 * 2520, 90 * 2520}));
    bool virhe = false;
    EXPECT_EQ(pisteet("\n 1500 comment\n-5\n7", &virhe),
              (std::vector<unsigned>{1000 * 2520, 0, 7 * 2520}));
    EXPECT_TRUE(virhe);
    EXPECT_TRUE(pisteet("x\n1\n").empty());
    std::vector<unsigned> o = oletusPisteet();
    ASSERT_EQ(o.size(), 50u);
    EXPECT_EQ(o[0], 100u * 2520);
    EXPECT_EQ(o[2], 75u * 2520);
    EXPECT_EQ(o[14], 36u * 2520);
    EXPECT_EQ(o[15], 35u * 2520);
    EXPECT_EQ(o[49], 1u * 2520);
}
