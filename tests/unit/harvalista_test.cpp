#include "model/harvalista.h"

#include <gtest/gtest.h>
#include <random>

using namespace vt;

namespace {
HarvaLista lista(std::initializer_list<HarvaLista::Pari> parit) {
    HarvaLista r;
    for (const auto &[paikka, arvo] : parit)
        r.lisaa(paikka, arvo);
    return r;
}
using Taysi = std::vector<unsigned>;
} // namespace

TEST(HarvaLista, SpreadsOutWithZerosWhereNoValueIsNamed) {
    const HarvaLista l = lista({{1, 5}, {2, 0}, {4, 7}});
    EXPECT_EQ(l.taysi(6), (Taysi{0, 5, 0, 0, 7, 0}));
    EXPECT_EQ(l.taysi(5), (Taysi{0, 5, 0, 0, 7}));
    // A shorter length leaves out the places named beyond it.
    EXPECT_EQ(l.taysi(3), (Taysi{0, 5, 0}));
    EXPECT_EQ(HarvaLista().taysi(3), (Taysi{0, 0, 0}));
    Taysi kayty;
    l.kayTaysi(6, [&](unsigned v) { kayty.push_back(v); });
    EXPECT_EQ(kayty, l.taysi(6));
    EXPECT_EQ(l.paikat(), (std::vector<HarvaLista::Paikka>{1, 2, 4}));
    EXPECT_EQ(l.arvot(), (Taysi{5, 0, 7}));
    EXPECT_TRUE(HarvaLista().tyhja());
    EXPECT_FALSE(l.tyhja());
}

TEST(HarvaLista, SumsInSixtyFourBits) {
    EXPECT_EQ(HarvaLista().summa(), 0u);
    EXPECT_EQ(lista({{0, 4000000000u}, {3, 4000000000u}, {9, 1}}).summa(), 8000000001ull);
}

TEST(HarvaLista, FoldsOnlyTheLastPlaceToItsBestValues) {
    HarvaLista l = lista({{0, 9}, {0, 8}, {2, 3}, {2, 10}, {2, 1}, {2, 6}});
    l.kokoaViimeinen(3);
    // The earlier place is left as it is, even named twice; the last keeps 10 + 6 + 3.
    EXPECT_EQ(l.paikat(), (std::vector<HarvaLista::Paikka>{0, 0, 2}));
    EXPECT_EQ(l.arvot(), (Taysi{9, 8, 19}));

    HarvaLista kaksi = lista({{1, 4}, {5, 2}, {5, 3}});
    kaksi.kokoaViimeinen(3); // fewer values than counted: all of them
    EXPECT_EQ(kaksi.taysi(6), (Taysi{0, 4, 0, 0, 0, 5}));

    HarvaLista yksi = lista({{1, 4}, {5, 2}});
    yksi.kokoaViimeinen(3);
    EXPECT_EQ(yksi.taysi(6), (Taysi{0, 4, 0, 0, 0, 2}));

    HarvaLista tyhja;
    tyhja.kokoaViimeinen(3);
    EXPECT_TRUE(tyhja.tyhja());
}

TEST(HarvaLista, FullListFoldsFromItsStart) {
    Taysi v = {7, 0, 2, 9, 4, 9};
    kokoaParhaat(v, 2, 3);
    EXPECT_EQ(v, (Taysi{7, 0, 22}));
    Taysi yksi = {7, 0, 2};
    kokoaParhaat(yksi, 2, 3);
    EXPECT_EQ(yksi, (Taysi{7, 0, 2}));
    Taysi lyhyt = {7};
    kokoaParhaat(lyhyt, 2, 3); // nothing at the place yet
    EXPECT_EQ(lyhyt, (Taysi{7}));
}

TEST(HarvaLista, FirstDifferingPlaceDecidesLargerFirst) {
    EXPECT_EQ(HarvaLista::vertaa(lista({{0, 5}, {3, 1}}), lista({{0, 5}, {3, 1}})), 0);
    // A named zero is the zero of a place not named.
    EXPECT_EQ(HarvaLista::vertaa(lista({{1, 0}, {4, 2}}), lista({{4, 2}})), 0);
    EXPECT_EQ(HarvaLista::vertaa(HarvaLista(), HarvaLista()), 0);
    // Place 1 decides before the larger value at place 2.
    EXPECT_EQ(HarvaLista::vertaa(lista({{1, 3}}), lista({{2, 50}})), -1);
    EXPECT_EQ(HarvaLista::vertaa(lista({{2, 50}}), lista({{1, 3}})), 1);
    EXPECT_EQ(HarvaLista::vertaa(lista({{0, 2}, {1, 9}}), lista({{0, 3}})), 1);
    EXPECT_EQ(HarvaLista::vertaa(HarvaLista(), lista({{7, 1}})), 1);
}

// Against full lists: comparing and summing sparse lists agrees with the same lists in full.
TEST(HarvaLista, AgreesWithFullListsOnRandomLists) {
    std::mt19937 g(11);
    constexpr std::size_t PITUUS = 6;
    auto arvo = [&] {
        HarvaLista l;
        for (HarvaLista::Paikka k = 0; k < PITUUS; ++k)
            if (g() % 2)
                l.lisaa(k, g() % 3);
        return l;
    };
    for (int kierros = 0; kierros < 500; ++kierros) {
        const HarvaLista a = arvo(), b = arvo();
        const Taysi x = a.taysi(PITUUS), y = b.taysi(PITUUS);
        const int odotettu = x == y ? 0 : (x > y ? -1 : 1); // lexicographic, larger first
        ASSERT_EQ(HarvaLista::vertaa(a, b), odotettu);
        std::vector<HarvaLista::Pari> parit;
        b.lisaaParit(parit);
        a.lisaaParit(parit);
        const HarvaLista s = HarvaLista::parista(parit);
        Taysi summa(PITUUS);
        for (std::size_t k = 0; k < PITUUS; ++k)
            summa[k] = x[k] + y[k];
        ASSERT_EQ(s.taysi(PITUUS), summa);
        // Each place once, ascending.
        ASSERT_TRUE(std::adjacent_find(s.paikat().begin(), s.paikat().end(),
                                       std::greater_equal<>()) == s.paikat().end());
    }
}

TEST(HarvaLista, PairsInAnyOrderSumByPlace) {
    const HarvaLista s = HarvaLista::parista({{4, 1}, {0, 2}, {4, 5}, {2, 0}, {0, 3}});
    EXPECT_EQ(s.paikat(), (std::vector<HarvaLista::Paikka>{0, 2, 4}));
    EXPECT_EQ(s.arvot(), (Taysi{5, 0, 6}));
    EXPECT_TRUE(HarvaLista::parista({}).tyhja());
}

TEST(HarvaLista, TheWalkInRunsGivesThePlaceByPlaceWalk) {
    // Random lists, some with a place named twice before folding (the walk place by place
    // then finds zeros from there on) and places beyond the length walked.
    std::mt19937 g(7);
    for (int kierros = 0; kierros < 2000; ++kierros) {
        HarvaLista l;
        HarvaLista::Paikka paikka = 0;
        const int n = static_cast<int>(g() % 8);
        for (int i = 0; i < n; ++i) {
            if (g() % 5 != 0)
                paikka += 1 + g() % 4;
            l.lisaa(paikka, g() % 3 == 0 ? 0u : 1 + g() % 50);
        }
        const std::size_t pituus = g() % 20;
        Taysi yksittain, jaksoittain;
        l.kayTaysi(pituus, [&](unsigned v) { yksittain.push_back(v); });
        l.kayTaysi(
            pituus,
            [&](std::size_t k) {
                ASSERT_GT(k, 0u);
                jaksoittain.insert(jaksoittain.end(), k, 0u);
            },
            [&](unsigned v) { jaksoittain.push_back(v); });
        ASSERT_EQ(jaksoittain, yksittain) << "round " << kierros;
    }
}
