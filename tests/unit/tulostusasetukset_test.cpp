#include "model/tulostusasetukset.h"

#include <gtest/gtest.h>
#include <string>

using namespace vt;

TEST(Tulostusasetukset, DefaultsAreTheMenuDefaults) {
    const Tulostusasetukset a;
    EXPECT_TRUE(a.tyhjatLevelit);
    EXPECT_FALSE(a.vainParas);
    EXPECT_TRUE(a.keskiarvoYksi);
    EXPECT_FALSE(a.keskiarvoUseita);
    EXPECT_FALSE(a.lihavoiUudet);
    EXPECT_TRUE(a.kaikkiAjat);
    EXPECT_TRUE(a.lapaistyt);
    EXPECT_TRUE(a.multiAjat);
    EXPECT_TRUE(a.tiimit);
    EXPECT_TRUE(a.lisatilastot);
}

TEST(Tulostusasetukset, ItemsInMenuOrderWithTheirTexts) {
    bool Tulostusasetukset::*const kentat[] = {
        &Tulostusasetukset::tyhjatLevelit, &Tulostusasetukset::vainParas,
        &Tulostusasetukset::keskiarvoYksi, &Tulostusasetukset::keskiarvoUseita,
        &Tulostusasetukset::lihavoiUudet,  &Tulostusasetukset::kaikkiAjat,
        &Tulostusasetukset::lapaistyt,     &Tulostusasetukset::multiAjat,
        &Tulostusasetukset::tiimit,        &Tulostusasetukset::lisatilastot};
    for (unsigned i = 1; i <= 10; ++i) {
        Tulostusasetukset a;
        const bool ennen = a.*kentat[i - 1];
        a.kohta(i) = !a.kohta(i);
        EXPECT_NE(a.*kentat[i - 1], ennen) << i;
        for (unsigned j = 1; j <= 10; ++j) {
            if (j != i) {
                EXPECT_EQ(a.kohta(j), Tulostusasetukset().kohta(j)) << i << " changed " << j;
            }
        }
    }
    EXPECT_EQ(std::string(ASETUSKOHDAT[0].teksti), "Print levels with no times");
    EXPECT_EQ(std::string(ASETUSKOHDAT[3].teksti), "Count average if more than one player");
    EXPECT_EQ(std::string(ASETUSKOHDAT[9].teksti), "Print extra statistics in the end of file");
}

TEST(Tulostusasetukset, SwitchingItemFourOnSwitchesThreeOn) {
    Tulostusasetukset a;
    a.asetaKohta(3, false);
    a.asetaKohta(4, true);
    EXPECT_TRUE(a.keskiarvoYksi);
    EXPECT_TRUE(a.keskiarvoUseita);
    // Item 3 may still be switched off alone, and switching 4 off leaves 3.
    a.asetaKohta(3, false);
    EXPECT_TRUE(a.keskiarvoUseita);
    EXPECT_FALSE(a.keskiarvoYksi);
    a.asetaKohta(3, true);
    a.asetaKohta(4, false);
    EXPECT_TRUE(a.keskiarvoYksi);
    // No other item pulls another along.
    Tulostusasetukset b;
    b.asetaKohta(1, false);
    b.asetaKohta(2, true);
    EXPECT_TRUE(b.keskiarvoYksi);
    EXPECT_FALSE(b.keskiarvoUseita);
}
