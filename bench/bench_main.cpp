// Times the commands that walk the whole collection: writing the stat file, the HTML page and
// the overall cup table, and reading a stat file back. Sizes are levels x players; every level
// holds the same number of runs.
#include "cup/cuptaulukot.h"
#include "generaattori.h"
#include "model/sivutiedostot.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <benchmark/benchmark.h>

#include <map>
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

} // namespace

BENCHMARK_MAIN();
