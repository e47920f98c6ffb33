// Times the commands that walk the whole collection: writing the stat file, the HTML page and
// the overall cup table, and reading a stat file back. Sizes are levels x players; every level
// holds the same number of runs. Also the battle index's name sort on numbered names.
#include "battle/battletiedosto.h"
#include "cup/cuptaulukot.h"
#include "generaattori.h"
#include "model/sivutiedostot.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

namespace {

using namespace vt;

const Kello kiinteaKello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };

const std::vector<Level> &kokoelma(unsigned levelit, unsigned pelaajat, unsigned ajoja) {
    static std::map<std::tuple<unsigned, unsigned, unsigned>, std::vector<Level>> valmiit;
    auto avain = std::make_tuple(levelit, pelaajat, ajoja);
    auto it = valmiit.find(avain);
    if (it == valmiit.end()) {
        bench::Koko k;
        k.levelit = levelit;
        k.pelaajat = pelaajat;
        k.ajojaPerLevel = ajoja;
        it = valmiit.emplace(avain, bench::teeKokoelma(k)).first;
    }
    return it->second;
}

const std::vector<Level> &kokoelma(const benchmark::State &s) {
    return kokoelma(static_cast<unsigned>(s.range(0)), static_cast<unsigned>(s.range(1)),
                    static_cast<unsigned>(s.range(2)));
}

void koot(benchmark::internal::Benchmark *b) {
    b->Args({200, 200, 20})->Args({1000, 1000, 20})->Args({3000, 3000, 30})->Args({3000, 300, 100});
    b->Unit(benchmark::kMillisecond);
}

void BM_tulostaStats(benchmark::State &s) {
    const auto &levels = kokoelma(s);
    Tulostusasetukset opts;
    std::vector<unsigned> cup = oletusPisteet();
    for (auto _ : s) {
        std::ostringstream out, konsoli;
        tulostaStats(out, levels, opts, true, cup, konsoli, kiinteaKello);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_tulostaStats)->Apply(koot);

void BM_tulostaHtml(benchmark::State &s) {
    const auto &levels = kokoelma(s);
    Tulostusasetukset opts;
    std::vector<unsigned> cup = oletusPisteet();
    const std::string title = "Bench";
    for (auto _ : s) {
        std::ostringstream out, konsoli;
        tulostaHtml(out, levels, opts, true, title, cup, "https://example.org/", konsoli,
                    kiinteaKello);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_tulostaHtml)->Apply(koot);

void BM_cupPelaajat(benchmark::State &s) {
    const auto &levels = kokoelma(s);
    Tulostusasetukset opts;
    std::vector<unsigned> cup = oletusPisteet();
    for (auto _ : s) {
        std::ostringstream out, konsoli;
        tulostaKaikkiCupPisteet(out, levels, opts, cup, false, true, konsoli, kiinteaKello);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_cupPelaajat)->Apply(koot);

void BM_lueStats(benchmark::State &s) {
    const auto &levels = kokoelma(s);
    Tulostusasetukset opts;
    std::vector<unsigned> cup = oletusPisteet();
    std::ostringstream tiedosto, k1;
    tulostaStats(tiedosto, levels, opts, true, cup, k1, kiinteaKello);
    const std::string teksti = tiedosto.str();
    for (auto _ : s) {
        std::istringstream in(teksti);
        std::ostringstream konsoli;
        std::vector<Level> luetut;
        lueStats(in, luetut, false, konsoli);
        benchmark::DoNotOptimize(luetut.size());
    }
}
BENCHMARK(BM_lueStats)->Apply(koot);

// Battles named "Level number 0" onwards (each name begins the names of ten others), in
// order (0), reversed (1) and shuffled (2); zero-padded "Level 000000" onwards, of which none
// begins another, shuffled (3).
void BM_battleNimet(benchmark::State &s) {
    std::vector<Battle> battlet(static_cast<std::size_t>(s.range(0)));
    for (std::size_t i = 0; i < battlet.size(); ++i) {
        const std::string numero = std::to_string(i);
        battlet[i].nimi = s.range(1) == 3 ? "Level " + std::string(6 - numero.size(), '0') + numero
                                          : "Level number " + numero;
    }
    if (s.range(1) == 1)
        std::reverse(battlet.begin(), battlet.end());
    if (s.range(1) >= 2)
        std::shuffle(battlet.begin(), battlet.end(), std::mt19937(1));
    for (auto _ : s) {
        s.PauseTiming();
        std::vector<Battle> b = battlet;
        s.ResumeTiming();
        jarjestaNimenMukaan(b);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_battleNimet)
    ->Args({50000, 0})
    ->Args({100000, 0})
    ->Args({200000, 0})
    ->Args({100000, 1})
    ->Args({200000, 1})
    ->Args({5000, 2})
    ->Args({10000, 2})
    ->Args({25000, 2})
    ->Args({50000, 2})
    ->Args({100000, 2})
    ->Args({200000, 2})
    ->Args({50000, 3})
    ->Args({100000, 3})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
