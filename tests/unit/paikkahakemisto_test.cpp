#include "util/paikkahakemisto.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace vt;

namespace {

// Keys in an array of the test's own, indexed by their places, with a hash the test chooses.
struct Avaimet {
    std::vector<std::string> avaimet;
    std::function<std::uint64_t(const std::string &)> tiiviste;
    PaikkaHakemisto hakemisto;

    std::size_t etsi(const std::string &a) const {
        return hakemisto.etsi(tiiviste(a), [&](std::size_t i) { return avaimet.at(i) == a; });
    }
    void lisaa(const std::string &a) {
        avaimet.push_back(a);
        hakemisto.lisaa(tiiviste(a), avaimet.size() - 1);
    }
};

} // namespace

TEST(PaikkaHakemisto, AnEmptyIndexFindsNothing) {
    PaikkaHakemisto h;
    int kysytty = 0;
    EXPECT_EQ(h.etsi(5, [&](std::size_t) { return ++kysytty, true; }), PaikkaHakemisto::EI);
    h.tyhjenna(100);
    EXPECT_EQ(h.etsi(5, [&](std::size_t) { return ++kysytty, true; }), PaikkaHakemisto::EI);
    EXPECT_EQ(kysytty, 0); // no entry, so no place is offered to the test
    EXPECT_EQ(h.maara(), 0u);
}

TEST(PaikkaHakemisto, FindsWhatAMapFindsWhileItGrows) {
    for (const bool samaTiiviste : {false, true}) {
        Avaimet a;
        // Every key of the same hash: only the caller's test tells them apart.
        if (samaTiiviste)
            a.tiiviste = [](const std::string &) { return std::uint64_t{42}; };
        else
            a.tiiviste = [](const std::string &s) { return std::hash<std::string>{}(s); };
        std::unordered_map<std::string, std::size_t> malli;
        std::mt19937 g(17);
        const unsigned n = samaTiiviste ? 300 : 5000;
        for (unsigned i = 0; i < n; ++i) {
            const std::string k = "k" + std::to_string(g() % (2 * n));
            const std::size_t loytyi = a.etsi(k);
            const auto it = malli.find(k);
            ASSERT_EQ(loytyi, it == malli.end() ? PaikkaHakemisto::EI : it->second) << k;
            if (it == malli.end()) {
                malli.emplace(k, a.avaimet.size());
                a.lisaa(k);
            }
        }
        EXPECT_EQ(a.hakemisto.maara(), malli.size());
        for (const auto &[k, i] : malli)
            EXPECT_EQ(a.etsi(k), i) << k;
        EXPECT_EQ(a.etsi("absent"), PaikkaHakemisto::EI);
    }
}

TEST(PaikkaHakemisto, HashesThatDifferOnlyInTheirHighHalfAreToldApartByTheTest) {
    Avaimet a;
    a.tiiviste = [](const std::string &s) { return (std::uint64_t{s.size()} << 32) | 7u; };
    for (const char *k : {"a", "bb", "ccc", "dddd"})
        a.lisaa(k);
    EXPECT_EQ(a.etsi("ccc"), 2u);
    EXPECT_EQ(a.etsi("dddd"), 3u);
    EXPECT_EQ(a.etsi("ee"), PaikkaHakemisto::EI);
}

TEST(PaikkaHakemisto, EmptyingForgetsEveryPlace) {
    Avaimet a;
    a.tiiviste = [](const std::string &s) { return std::hash<std::string>{}(s); };
    for (int i = 0; i < 40; ++i)
        a.lisaa("n" + std::to_string(i));
    EXPECT_EQ(a.etsi("n39"), 39u);
    a.hakemisto.tyhjenna(3);
    EXPECT_EQ(a.hakemisto.maara(), 0u);
    EXPECT_EQ(a.etsi("n39"), PaikkaHakemisto::EI);
    // Entered again at other places, after the emptying.
    a.avaimet.clear();
    for (int i = 39; i >= 0; --i)
        a.lisaa("n" + std::to_string(i));
    EXPECT_EQ(a.etsi("n39"), 0u);
    EXPECT_EQ(a.etsi("n0"), 39u);
}
