#pragma once
// The rankings the program uses, each as its exchange rule together with the key that says
// the same, so that the ranking routine can take its fast path.
#include "model/ajo.h"
#include "model/jarjesta.h"
#include "model/pelaaja.h"
#include "util/teksti.h"

#include <optional>
#include <string>

namespace vt {

// Runs, best first; a later run moves up only when strictly better.
inline auto ajatParhaatEnsin() {
    return jarjestys([](const Ajo &i, const Ajo &j) { return j.aika < i.aika; },
                     [](const Ajo &a) { return a.aika.jarjestysAvain(); });
}

// The same ranking of elements held by pointer: the same exchanges, without moving the
// elements themselves.
template <class Saanto, class Avain> auto osoittimille(Jarjestys<Saanto, Avain> j) {
    return jarjestys([s = j.saanto](const auto *i, const auto *k) { return s(*i, *k); },
                     [a = j.avain](const auto *x) { return a(*x); }, j.tasan);
}

// Runs, best first; a later run moves up also when equal.
inline auto ajatParhaatEnsinTasanVaihtaen() {
    return jarjestys([](const Ajo &i, const Ajo &j) { return !(i.aika < j.aika); },
                     [](const Ajo &a) { return a.aika.jarjestysAvain(); }, true);
}

// Rows by total time, best first.
inline auto rivitAjanMukaan() {
    return jarjestys([](const Pelaaja &i, const Pelaaja &j) { return j.totalAika < i.totalAika; },
                     [](const Pelaaja &p) { return p.totalAika.jarjestysAvain(); });
}

// Rows by the number of best times, most first.
inline auto rivitParhaidenMukaan() {
    return jarjestys(
        [](const Pelaaja &i, const Pelaaja &j) { return j.parhaidenLkm > i.parhaidenLkm; },
        [](const Pelaaja &p) { return std::optional<unsigned>(UINT32_MAX - p.parhaidenLkm); });
}

// Names alphabetically, case ignored.
inline auto nimetAakkosiin() {
    return jarjestys(
        [](const std::string &i, const std::string &j) { return toUpper(i) > toUpper(j); },
        [](const std::string &s) { return std::optional<std::string>(toUpper(s)); });
}

// Rows by name, case ignored.
inline auto rivitNimenMukaan() {
    return jarjestys(
        [](const Pelaaja &i, const Pelaaja &j) { return toUpper(i.nimi) > toUpper(j.nimi); },
        [](const Pelaaja &p) { return std::optional<std::string>(toUpper(p.nimi)); });
}

} // namespace vt
