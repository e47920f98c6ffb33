// The ranking routine against the exchange sort written out literally: every ordering of
// equal keys must come out the same, whichever path the routine takes.
#include "model/jarjesta_osat.h"
#include "model/jarjestykset.h"
#include "testiapu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace vt;

namespace {

template <class T, class Saanto> std::vector<T> oraakkeli(std::vector<T> v, Saanto saanto) {
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = i + 1; j < v.size(); ++j)
            if (saanto(v[i], v[j]))
                std::swap(v[i], v[j]);
    return v;
}

struct Alkio {
    int avain;
    int id;
    bool operator==(const Alkio &) const = default;
};

auto alkioJarjestys(bool tasan) {
    return jarjestys(
        [tasan](const Alkio &i, const Alkio &j) {
            return tasan ? !(i.avain < j.avain) : j.avain < i.avain;
        },
        [](const Alkio &a) { return std::optional<int>(a.avain); }, tasan);
}

// Shapes of input: shuffled with many ties, nearly ordered, reversed, a ranked table with rows
// made worse and new rows at the end (the totals after a level), all equal.
std::vector<Alkio> aineisto(std::mt19937 &g, std::size_t n, int muoto) {
    std::vector<Alkio> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        int k = 0;
        switch (muoto) {
        case 0:
            k = static_cast<int>(g() % (n / 4 + 1));
            break;
        case 1:
            k = static_cast<int>(i) * 10 + (g() % 2 ? static_cast<int>(g() % 40) : 0);
            break;
        case 2:
            k = static_cast<int>(n - i) / 3;
            break;
        case 3: // a ranked table after one more level: some rows worse, new rows last
            k = static_cast<int>(i) / 3 + (g() % 20 == 0 ? static_cast<int>(g() % 50) : 0);
            if (i + 4 > n)
                k = static_cast<int>(g() % (n / 2 + 1));
            break;
        case 4: // the same with a dozen new rows
            k = static_cast<int>(i) / 2 + (g() % 10 == 0 ? static_cast<int>(g() % 30) : 0);
            if (i + 13 > n)
                k = static_cast<int>(g() % (n / 2 + 1));
            break;
        default:
            k = 7;
            break;
        }
        v[i] = {k, static_cast<int>(i)};
    }
    return v;
}

} // namespace

TEST(Vaihtojarjesta, LiteralOrderOfEqualKeysForSmallInputs) {
    std::vector<Alkio> v = {{2, 0}, {1, 1}, {2, 2}, {1, 3}};
    auto tiukka = v;
    vaihtojarjesta(tiukka, alkioJarjestys(false));
    EXPECT_EQ(tiukka, (std::vector<Alkio>{{1, 1}, {1, 3}, {2, 2}, {2, 0}}));
    auto tasan = v;
    vaihtojarjesta(tasan, alkioJarjestys(true));
    EXPECT_EQ(tasan, (std::vector<Alkio>{{1, 3}, {1, 1}, {2, 2}, {2, 0}}));
}

TEST(Vaihtojarjesta, KeyedPathMatchesTheLiteralSortOnEveryShape) {
    std::mt19937 g(7);
    for (bool tasan : {false, true})
        for (int muoto = 0; muoto < 6; ++muoto)
            for (std::size_t n : {31u, 32u, 33u, 100u, 257u, 1500u, 1500u, 1500u}) {
                auto v = aineisto(g, n, muoto);
                auto odotettu = oraakkeli(v, alkioJarjestys(tasan).saanto);
                vaihtojarjesta(v, alkioJarjestys(tasan));
                ASSERT_EQ(v, odotettu) << "n=" << n << " shape=" << muoto << " tasan=" << tasan;
            }
}

TEST(Vaihtojarjesta, TotalsOfRowsWithTimesAndAppleCountsMatchTheLiteralSort) {
    std::mt19937 g(11);
    std::vector<Pelaaja> rivit(400);
    for (std::size_t i = 0; i < rivit.size(); ++i) {
        Pelaaja &p = rivit[i];
        std::string nimi(1, 'P');
        nimi += std::to_string(i);
        p.nimi = std::move(nimi);
        if (g() % 5 == 0) {
            p.totalAika.omenat = g() % 4 + 1; // an apple count, no time
        } else {
            p.totalAika.minuutit = g() % 3;
            p.totalAika.sekunnit = g() % 4;
            p.totalAika.sadasosat = g() % 3;
            if (g() % 7 == 0)
                p.totalAika.omenat = 2; // apples alongside a time do not count
        }
    }
    auto nimet = [](const std::vector<Pelaaja> &v) {
        std::vector<std::string> r;
        for (const Pelaaja &p : v)
            r.push_back(p.nimi);
        return r;
    };
    auto odotettu = oraakkeli(rivit, rivitAjanMukaan().saanto);
    auto saatu = rivit;
    vaihtojarjesta(saatu, rivitAjanMukaan());
    EXPECT_EQ(nimet(saatu), nimet(odotettu));

    auto odotettuParhaat = oraakkeli(rivit, rivitParhaidenMukaan().saanto);
    for (auto *v : {&rivit, &odotettuParhaat})
        for (std::size_t i = 0; i < v->size(); ++i)
            (*v)[i].parhaidenLkm = static_cast<unsigned>((i * 7919) % 5);
    odotettuParhaat = oraakkeli(rivit, rivitParhaidenMukaan().saanto);
    vaihtojarjesta(rivit, rivitParhaidenMukaan());
    EXPECT_EQ(nimet(rivit), nimet(odotettuParhaat));
}

TEST(Vaihtojarjesta, AZeroResultFallsBackToThePairByPairSort) {
    // An empty result ties with every time although the times do not tie among themselves;
    // no key can say that, so the rule itself must decide.
    std::vector<Ajo> ajot;
    for (int i = 0; i < 60; ++i)
        ajot.push_back(
            testi::ajo(std::string("A").append(std::to_string(i)),
                       std::string("0:").append(std::to_string(10 + (i * 37) % 40)).append(",00")));
    ajot[20].aika = Aika();
    ajot[45].aika = Aika();
    for (bool tasan : {false, true}) {
        auto v = ajot;
        std::vector<Ajo> odotettu;
        if (tasan) {
            odotettu = oraakkeli(ajot, ajatParhaatEnsinTasanVaihtaen().saanto);
            vaihtojarjesta(v, ajatParhaatEnsinTasanVaihtaen());
        } else {
            odotettu = oraakkeli(ajot, ajatParhaatEnsin().saanto);
            vaihtojarjesta(v, ajatParhaatEnsin());
        }
        ASSERT_EQ(v.size(), odotettu.size());
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_EQ(v[i].nimi, odotettu[i].nimi) << i;
    }
}

TEST(Vaihtojarjesta, NamesSortCaseBlindWithTheLiteralTieOrder) {
    std::mt19937 g(3);
    std::vector<std::string> nimet;
    const char *pohjat[] = {"ann", "Ann", "ANN", "bob", "Bob", "b\xe4r", "Zed", "_x", "a"};
    for (int i = 0; i < 300; ++i)
        nimet.push_back(pohjat[g() % 9]);
    auto odotettu = oraakkeli(nimet, nimetAakkosiin().saanto);
    vaihtojarjesta(nimet, nimetAakkosiin());
    EXPECT_EQ(nimet, odotettu);
}

namespace {

// Keys and thresholds as the battle index makes them: the rank of each name among the
// distinct names, and the rank of the last name that begins with it.
void kynnyksiksi(const std::vector<std::string> &nimet, std::vector<std::uint32_t> &avaimet,
                 std::vector<std::uint32_t> &kynnykset) {
    std::vector<std::string> eri = nimet;
    std::sort(eri.begin(), eri.end());
    eri.erase(std::unique(eri.begin(), eri.end()), eri.end());
    for (const std::string &s : nimet) {
        const auto k = std::lower_bound(eri.begin(), eri.end(), s) - eri.begin();
        auto t = k;
        while (t + 1 < static_cast<long>(eri.size()) && eri[t + 1].rfind(s, 0) == 0)
            ++t;
        avaimet.push_back(static_cast<std::uint32_t>(k));
        kynnykset.push_back(static_cast<std::uint32_t>(t));
    }
}

std::vector<std::string> nimiAineisto(std::mt19937 &g, std::size_t n, int muoto) {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(std::to_string(i));
    switch (muoto) {
    case 0: // numbered names in order: long chains through stretches of neighbours
        break;
    case 1:
        std::reverse(v.begin(), v.end());
        break;
    case 2: // in no order: short stretches
        std::shuffle(v.begin(), v.end(), g);
        break;
    case 3: // in order with some neighbours exchanged
        for (std::size_t i = 0; i + 3 < n; i += 5)
            std::swap(v[i], v[i + 1 + g() % 3]);
        break;
    case 4: // short names of few letters: many equal names and prefixes
        for (std::string &s : v) {
            s.clear();
            for (std::size_t k = g() % 4; k > 0; --k)
                s += "ab1"[g() % 3];
        }
        break;
    default: // in order, then in no order, then in order again
        std::shuffle(v.begin() + static_cast<long>(n / 3), v.begin() + static_cast<long>(2 * n / 3),
                     g);
        break;
    }
    return v;
}

// The threshold rule written out on keys and thresholds: the original index of the element
// that ends at each place.
std::vector<std::uint32_t> kynnysOraakkeli(std::vector<std::uint32_t> k,
                                           std::vector<std::uint32_t> t) {
    std::vector<std::uint32_t> paikka(k.size());
    for (std::size_t i = 0; i < k.size(); ++i)
        paikka[i] = static_cast<std::uint32_t>(i);
    for (std::size_t i = 0; i < k.size(); ++i)
        for (std::size_t j = i + 1; j < k.size(); ++j)
            if (k[j] <= t[i]) {
                std::swap(k[i], k[j]);
                std::swap(t[i], t[j]);
                std::swap(paikka[i], paikka[j]);
            }
    return paikka;
}

} // namespace

TEST(Vaihtojarjesta, ThresholdRuleGivesTheLiteralOrderInEitherFormAndWhenMovingBetween) {
    using jarjesta_detail::KynnysMuoto;
    std::mt19937 g(13);
    for (int muoto = 0; muoto < 6; ++muoto)
        for (std::size_t n : {1u, 2u, 7u, 40u, 300u, 2500u}) {
            std::vector<std::uint32_t> avaimet, kynnykset;
            kynnyksiksi(nimiAineisto(g, n, muoto), avaimet, kynnykset);
            const std::vector<std::uint32_t> odotettu = kynnysOraakkeli(avaimet, kynnykset);
            for (KynnysMuoto m : {KynnysMuoto::nimipuu, KynnysMuoto::mitattu, KynnysMuoto::taulukko,
                                  KynnysMuoto::puu, KynnysMuoto::vuorotellen})
                ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset, m), odotettu)
                    << "n=" << n << " shape=" << muoto << " form=" << static_cast<int>(m);
        }
}

TEST(Vaihtojarjesta, ThresholdsEqualToTheirKeysRankAsTheLiteralLoopDoes) {
    // Names of which none begins another (zero-padded numbers, shuffled, some repeated): the
    // threshold rule is then an order of keys with equal keys exchanged.
    std::mt19937 g(17);
    for (std::size_t n : {40u, 300u, 2000u}) {
        std::vector<std::uint32_t> avaimet(n);
        for (std::uint32_t &a : avaimet)
            a = static_cast<std::uint32_t>(g() % (n / 3 + 1));
        std::vector<std::uint32_t> odotettu(n), k = avaimet;
        for (std::size_t i = 0; i < n; ++i)
            odotettu[i] = static_cast<std::uint32_t>(i);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j)
                if (k[j] <= k[i]) {
                    std::swap(k[i], k[j]);
                    std::swap(odotettu[i], odotettu[j]);
                }
        ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, avaimet), odotettu) << "n=" << n;
        ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, avaimet,
                                                   jarjesta_detail::KynnysMuoto::taulukko),
                  odotettu)
            << "n=" << n;
    }
}

TEST(Vaihtojarjesta, GroupTurnedAtOnceEqualsTurningItOneSmallerElementAtATime) {
    // Groups from 1 to 300 members; smaller elements behind them none, one per gap, many in
    // one gap, multiples of the group's size, and at random.
    std::mt19937 g(19);
    for (std::size_t koko : {1u, 2u, 8u, 9u, 10u, 33u, 300u})
        for (int muoto = 0; muoto < 5; ++muoto) {
            std::vector<std::uint32_t> valissa(koko);
            for (std::size_t j = 0; j < koko; ++j)
                switch (muoto) {
                case 0:
                    valissa[j] = 0;
                    break;
                case 1:
                    valissa[j] = 1;
                    break;
                case 2:
                    valissa[j] = j == koko / 2 ? 1000 : 0;
                    break;
                case 3:
                    valissa[j] = static_cast<std::uint32_t>((j + 1) * (g() % 3));
                    break;
                default:
                    valissa[j] = static_cast<std::uint32_t>(g() % (2 * koko + 1));
                    break;
                }
            std::vector<std::uint32_t> jalkeen(koko);
            std::uint32_t summa = 0;
            for (std::size_t j = koko; j-- > 0;)
                jalkeen[j] = summa += valissa[j];
            std::vector<std::uint32_t> ryhma(koko), odotettu;
            for (std::size_t j = 0; j < koko; ++j)
                ryhma[j] = static_cast<std::uint32_t>(100 + j);
            odotettu = ryhma;
            jarjesta_detail::jarjestaRyhmaKaantaen(odotettu.data(), koko, jalkeen);
            jarjesta_detail::jarjestaRyhma(ryhma.data(), koko, jalkeen);
            ASSERT_EQ(ryhma, odotettu) << "size=" << koko << " shape=" << muoto;
        }
}

TEST(Vaihtojarjesta, AlternatingKeysTurnALargeGroupAsTheLiteralLoopDoes) {
    // One key, then a smaller one, and so on: a group of n/2 turned n/2 times.
    for (bool tasan : {false, true})
        for (std::size_t n : {64u, 999u, 2000u}) {
            std::vector<Alkio> v(n);
            for (std::size_t i = 0; i < n; ++i)
                v[i] = {i % 2 == 0 ? 6000 : 5900, static_cast<int>(i)};
            auto odotettu = oraakkeli(v, alkioJarjestys(tasan).saanto);
            vaihtojarjesta(v, alkioJarjestys(tasan));
            ASSERT_EQ(v, odotettu) << "n=" << n << " tasan=" << tasan;
        }
}

namespace {

struct Nimi {
    std::string nimi;
    std::uint32_t id;
    bool operator==(const Nimi &) const = default;
};

// A table of names for the threshold rule: letters from a tiny alphabet (prefixes, equal and
// empty names abound), numbered names in no order, the same with repeats, or both mixed.
std::vector<std::string> nimiTaulukko(std::mt19937 &g, std::size_t n, int muoto) {
    std::vector<std::string> v;
    auto pieni = [&](const char *aakkosto, std::size_t koko) {
        std::string s;
        for (std::size_t k = g() % 5; k > 0; --k)
            s += aakkosto[g() % koko];
        return s;
    };
    for (std::size_t i = 0; i < n; ++i)
        switch (muoto) {
        case 0:
            v.push_back(pieni("ab", 2));
            break;
        case 1:
            v.push_back(pieni("ab1", 3));
            break;
        case 2: // each of 0 to n - 1 once
            v.push_back("Level number " + std::to_string(i));
            break;
        case 3: // drawn with repeats
            v.push_back("Level number " + std::to_string(g() % n));
            break;
        default:
            v.push_back(g() % 2 ? std::to_string(g() % (n / 2 + 1)) : pieni("12", 2));
            break;
        }
    std::shuffle(v.begin(), v.end(), g);
    return v;
}

} // namespace

TEST(Vaihtojarjesta, ThresholdRuleOnRandomNameTablesGivesTheLiteralOrder) {
    // The rule of the battle index's name sort, written on the names themselves: the later
    // name beats the earlier one when it sorts before it, equals it or begins with it. Keys
    // and thresholds as the battle index makes them; every table both through the routine
    // (which takes the threshold path from AVAINTEN_RAJA elements on) and through each form
    // of the threshold routine, against the loop written out.
    using jarjesta_detail::KynnysMuoto;
    auto saanto = [](const Nimi &i, const Nimi &j) {
        return j.nimi <= i.nimi || j.nimi.rfind(i.nimi, 0) == 0;
    };
    std::mt19937 g(23);
    for (int kierros = 0; kierros < 1500; ++kierros) {
        const int muoto = kierros % 5;
        const std::size_t n = kierros % 7 == 0 ? 1 + g() % 40 : 30 + g() % 120;
        const std::vector<std::string> nimet = nimiTaulukko(g, n, muoto);
        std::vector<std::uint32_t> avaimet, kynnykset;
        kynnyksiksi(nimet, avaimet, kynnykset);
        std::vector<Nimi> v;
        for (std::size_t i = 0; i < n; ++i)
            v.push_back({nimet[i], static_cast<std::uint32_t>(i)});
        const std::vector<Nimi> odotettu = oraakkeli(v, saanto);
        std::vector<std::uint32_t> odotetutPaikat;
        for (const Nimi &x : odotettu)
            odotetutPaikat.push_back(x.id);

        std::vector<Nimi> w = v;
        vaihtojarjesta(w, kynnysjarjestys(
                              saanto, [&](const Nimi &x) { return avaimet[x.id]; },
                              [&](const Nimi &x) { return kynnykset[x.id]; }));
        ASSERT_EQ(w, odotettu) << "round=" << kierros << " n=" << n << " shape=" << muoto;
        ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset), odotetutPaikat)
            << "round=" << kierros;
        for (KynnysMuoto m : {KynnysMuoto::nimipuu, KynnysMuoto::mitattu, KynnysMuoto::taulukko,
                              KynnysMuoto::puu, KynnysMuoto::vuorotellen})
            ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset, m), odotetutPaikat)
                << "round=" << kierros << " form=" << static_cast<int>(m);
    }
}

TEST(Vaihtojarjesta, TreeOfNamesGivesTheLiteralOrderOnDeepChainsAndRunsOfCopies) {
    // The tree of names at its extremes: one chain "a", "aa", "aaa"... down to 200 deep; a
    // chain with a branch at every level; a name that begins all others, its copies between
    // them alone, in runs, first or last; and every name repeated, in no order.
    using jarjesta_detail::KynnysMuoto;
    std::mt19937 g(29);
    for (int muoto = 0; muoto < 6; ++muoto)
        for (std::size_t n : {2u, 5u, 33u, 200u, 700u}) {
            std::vector<std::string> nimet;
            for (std::size_t i = 0; i < n; ++i)
                switch (muoto) {
                case 0: // one chain, each name once
                    nimet.push_back(std::string(1 + i % 200, 'a'));
                    break;
                case 1: // a chain with a side branch at every level
                    nimet.push_back(std::string(1 + g() % 30, 'a') + (g() % 2 ? "b" : ""));
                    break;
                case 2: // "r" between names it begins, alone
                    nimet.push_back(i % 2 ? "r" : "r" + std::to_string(g() % 50));
                    break;
                case 3: // "r" in runs of up to five
                    nimet.push_back(g() % 3 ? "r" + std::string(g() % 5, "xy"[g() % 2]) : "r");
                    break;
                case 4: // the copies first or last, or none of the names it begins
                    nimet.push_back(i < n / 3 || n - i <= n / 3 ? "r" : "r" + std::to_string(i));
                    break;
                default: // few names, many copies of each, in a chain
                    nimet.push_back(std::string(g() % 6, 'q'));
                    break;
                }
            if (muoto != 4)
                std::shuffle(nimet.begin(), nimet.end(), g);
            std::vector<std::uint32_t> avaimet, kynnykset;
            kynnyksiksi(nimet, avaimet, kynnykset);
            const std::vector<std::uint32_t> odotettu = kynnysOraakkeli(avaimet, kynnykset);
            ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset), odotettu)
                << "n=" << n << " shape=" << muoto;
            ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset, KynnysMuoto::nimipuu),
                      odotettu)
                << "n=" << n << " shape=" << muoto;
        }
}

TEST(Vaihtojarjesta, ThresholdsThatFormNoTreeOfNamesStillGiveTheLiteralOrder) {
    // Keys with a threshold below the key, ranges that cross, one key with two thresholds,
    // and keys that are no ranks (gaps): the order is then found by making the exchanges. Now
    // and then the ranges happen to nest, and the tree gives the order.
    using jarjesta_detail::KynnysMuoto;
    std::mt19937 g(31);
    int puita = 0;
    for (int kierros = 0; kierros < 3000; ++kierros) {
        const std::size_t n = 1 + g() % 40;
        std::vector<std::uint32_t> avaimet(n), kynnykset(n);
        std::vector<std::uint32_t> kynnys(20);
        for (std::uint32_t k = 0; k < 20; ++k)
            kynnys[k] = kierros % 3 == 0 ? k + g() % 3 - 1 : k + g() % 4;
        for (std::size_t i = 0; i < n; ++i) {
            avaimet[i] = 2 * (g() % 10);
            kynnykset[i] =
                kierros % 5 == 0 && g() % 4 == 0 ? avaimet[i] + g() % 3 : kynnys[avaimet[i]];
        }
        bool sisakkain = true; // do the ranges of the keys nest?
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                if ((avaimet[i] == avaimet[j] && kynnykset[i] != kynnykset[j]) ||
                    kynnykset[i] < avaimet[i] ||
                    (avaimet[i] < avaimet[j] && avaimet[j] <= kynnykset[i] &&
                     kynnykset[j] > kynnykset[i]))
                    sisakkain = false;
        puita += sisakkain;
        const std::vector<std::uint32_t> odotettu = kynnysOraakkeli(avaimet, kynnykset);
        ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset), odotettu)
            << "round=" << kierros;
        ASSERT_EQ(jarjesta_detail::kynnysJarjestys(avaimet, kynnykset, KynnysMuoto::nimipuu),
                  odotettu)
            << "round=" << kierros;
    }
    EXPECT_GT(puita, 100); // both kinds met
    EXPECT_LT(puita, 2900);
}
