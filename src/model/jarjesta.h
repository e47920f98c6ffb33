#pragma once
// The one ranking routine. Every ranking of the program is this exchange sort: for each i,
// for every later j, exchange the two when the rule says so. Its order of equal keys is part
// of the output, so no call site may use std::sort instead.
//
// A rule is either any callable rule(earlier, later), run as written, or a rule together with
// keys that tell its exchanges; the routine then gives the very same order without making
// the exchanges (jarjesta.cpp says how). The paths and their worst cases, n elements:
//
// - A plain rule, or a `Jarjestys` some element of which has no key, or fewer than
//   AVAINTEN_RAJA elements: the loop as written, n^2 / 2 calls of the rule.
// - `Jarjestys` with `tasan` (exchange also equal keys): n log n (sorting the elements out
//   of order; a table nearly in order costs close to n).
// - `Jarjestys` without `tasan`: n log n. Each group of equal keys is turned by the smaller
//   elements behind its members; the turns are counted with a Fenwick tree and applied in
//   g log g for a group of g.
// - `KynnysJarjestys` whose thresholds all equal their keys: the rule is then "exchange when
//   the later key is at most the earlier one", the keyed path with `tasan`: n log n.
// - `KynnysJarjestys` otherwise, with thresholds that come from names (the ranges
//   [key, threshold] of the distinct keys nest or lie apart, as the names that begin with
//   one another do): the order follows from the tree of the names without the exchanges,
//   n log n + P log d, where P is the number of pairs of elements of which one name begins
//   the other (equal names included) and d the most names that have a given name as their
//   longest beginning; never above (n + P) log n, nor above n log n + L log d for names of
//   total length L. Numbered names (d = 10, P under 4n up to 100,000 of them) thus cost
//   n log n, whatever their order at the start.
// - `KynnysJarjestys` with thresholds that form no such tree: the exchanges are made, each
//   found in log n steps, and a stretch of neighbours that each beat the one before is turned
//   as one step in log n: (n + E) log n, where E is the number of exchanges made outside such
//   stretches, which may grow with n^2.
//
// The checking build (VASKITAULU_TARKISTA, the `check` preset) also runs every ranking of at
// most TARKISTUKSEN_RAJA elements through the loop as written and aborts on any difference.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace vt {

template <class Saanto, class Avain> struct Jarjestys {
    Saanto saanto;      // the exchange rule itself, used when some element has no key
    Avain avain;        // element -> std::optional<key>
    bool tasan = false; // exchange also when the keys are equal
    bool operator()(const auto &i, const auto &j) const { return saanto(i, j); }
};

// Exchange when the later element's key is smaller (or, with `tasan`, not greater).
template <class Saanto, class Avain>
Jarjestys<Saanto, Avain> jarjestys(Saanto saanto, Avain avain, bool tasan = false) {
    return {saanto, avain, tasan};
}

// A rule that says "exchange when the later element's key is at most the threshold of the
// element in front": for rules that are no order of keys (names that agree as far as the
// shorter one goes beat each other both ways), but whose exchanges a key and a threshold of
// each element still tell.
template <class Saanto, class Avain, class Kynnys> struct KynnysJarjestys {
    Saanto saanto; // the exchange rule itself
    Avain avain;   // element -> std::uint32_t
    Kynnys kynnys; // element -> std::uint32_t; saanto(i, j) == (avain(j) <= kynnys(i))
    bool operator()(const auto &i, const auto &j) const { return saanto(i, j); }
};

template <class Saanto, class Avain, class Kynnys>
KynnysJarjestys<Saanto, Avain, Kynnys> kynnysjarjestys(Saanto saanto, Avain avain, Kynnys kynnys) {
    return {saanto, avain, kynnys};
}

namespace jarjesta_detail {

template <class T> struct onKynnysJarjestys : std::false_type {};
template <class S, class A, class K>
struct onKynnysJarjestys<KynnysJarjestys<S, A, K>> : std::true_type {};

// The final position of every element (paikka[k] is the original index of the element that
// ends at k) under a threshold rule.
std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset);

// Moves the elements into the order `paikka` gives, cycle by cycle: no second table of them.
template <class T> void jarjestaPaikoille(std::vector<T> &v, std::vector<std::uint32_t> &paikka) {
    for (std::size_t alku = 0; alku < paikka.size(); ++alku) {
        if (paikka[alku] == alku)
            continue;
        T tallessa = std::move(v[alku]);
        std::size_t p = alku;
        while (paikka[p] != alku) {
            const std::size_t q = paikka[p];
            v[p] = std::move(v[q]);
            paikka[p] = static_cast<std::uint32_t>(p);
            p = q;
        }
        v[p] = std::move(tallessa);
        paikka[p] = static_cast<std::uint32_t>(p);
    }
}

template <class T> struct onJarjestys : std::false_type {};
template <class S, class A> struct onJarjestys<Jarjestys<S, A>> : std::true_type {};

// The procedure exactly as stated, for rules without a key (and keys that cannot be had).
template <class T, class Vaihda> void suoraan(std::vector<T> &v, Vaihda &vaihda) {
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = i + 1; j < v.size(); ++j)
            if (vaihda(v[i], v[j])) {
                using std::swap;
                swap(v[i], v[j]);
            }
}

// The exchange sort over keys, without making its exchanges: which element ends where is
// known from the keys alone (the source file says how). `tasan` is the rule that exchanges
// equal keys too. Gives, for each final position, the original index of its element. Defined
// for the key types the rankings use (pairs of 64-bit numbers, 32-bit and 64-bit numbers).
template <class K> std::vector<std::uint32_t> avainJarjestys(const std::vector<K> &a, bool tasan);

// Keys that are costly to compare (texts, long lists) are replaced by their ranks among the
// distinct keys: the same order with equal keys equal, so the exchanges are the same.
template <class K> auto tiivista(std::vector<K> &avaimet) {
    if constexpr (std::is_trivially_copy_constructible_v<K> && sizeof(K) <= 16) {
        return std::move(avaimet);
    } else {
        std::vector<std::uint32_t> jarjestys(avaimet.size());
        for (std::size_t i = 0; i < jarjestys.size(); ++i)
            jarjestys[i] = static_cast<std::uint32_t>(i);
        std::sort(jarjestys.begin(), jarjestys.end(),
                  [&](std::uint32_t x, std::uint32_t y) { return avaimet[x] < avaimet[y]; });
        std::vector<std::uint32_t> arvot(avaimet.size());
        std::uint32_t arvo = 0;
        for (std::size_t k = 0; k < jarjestys.size(); ++k) {
            if (k > 0 && avaimet[jarjestys[k - 1]] < avaimet[jarjestys[k]])
                ++arvo;
            arvot[jarjestys[k]] = arvo;
        }
        return arvot;
    }
}

#ifdef VASKITAULU_TARKISTA
inline constexpr std::size_t TARKISTUKSEN_RAJA = 3000;

// The checking build: the order `paikka` (original indices by final position) found for `v`,
// still in its order at the start, must be the one the loop as written gives.
template <class T, class Vaihda>
void tarkista(const std::vector<T> &v, Vaihda &vaihda, const std::vector<std::uint32_t> &paikka) {
    if (v.size() > TARKISTUKSEN_RAJA)
        return;
    std::vector<std::uint32_t> suora(v.size());
    for (std::size_t i = 0; i < suora.size(); ++i)
        suora[i] = static_cast<std::uint32_t>(i);
    for (std::size_t i = 0; i < suora.size(); ++i)
        for (std::size_t j = i + 1; j < suora.size(); ++j)
            if (vaihda(v[suora[i]], v[suora[j]]))
                std::swap(suora[i], suora[j]);
    if (suora != paikka) {
        std::fprintf(stderr,
                     "vaskitaulu: the ranking of %zu elements differs from the exchange "
                     "loop\n",
                     v.size());
        std::abort();
    }
}
#endif

} // namespace jarjesta_detail

// Below this many elements the plain loop is as quick as making the keys.
inline constexpr std::size_t AVAINTEN_RAJA = 32;

template <class T, class Vaihda> void vaihtojarjesta(std::vector<T> &v, Vaihda vaihda) {
#ifndef VASKITAULU_SUORA_JARJESTYS // the tests' oracle build runs the plain loop only
    if constexpr (jarjesta_detail::onJarjestys<Vaihda>::value) {
        if (v.size() >= AVAINTEN_RAJA && v.size() < UINT32_MAX) {
            using K = typename std::invoke_result_t<decltype(vaihda.avain), const T &>::value_type;
            std::vector<K> avaimet;
            avaimet.reserve(v.size());
            bool kaikilla = true;
            for (const T &x : v) {
                auto k = vaihda.avain(x);
                if (!k) {
                    kaikilla = false;
                    break;
                }
                avaimet.push_back(std::move(*k));
            }
            if (kaikilla) {
                std::vector<std::uint32_t> paikka = jarjesta_detail::avainJarjestys(
                    jarjesta_detail::tiivista(avaimet), vaihda.tasan);
#ifdef VASKITAULU_TARKISTA
                jarjesta_detail::tarkista(v, vaihda, paikka);
#endif
                jarjesta_detail::jarjestaPaikoille(v, paikka);
                return;
            }
        }
    }
    if constexpr (jarjesta_detail::onKynnysJarjestys<Vaihda>::value) {
        if (v.size() >= AVAINTEN_RAJA && v.size() < UINT32_MAX) {
            std::vector<std::uint32_t> avaimet, kynnykset;
            avaimet.reserve(v.size());
            kynnykset.reserve(v.size());
            for (const T &x : v) {
                avaimet.push_back(vaihda.avain(x));
                kynnykset.push_back(vaihda.kynnys(x));
            }
            std::vector<std::uint32_t> paikka =
                jarjesta_detail::kynnysJarjestys(std::move(avaimet), std::move(kynnykset));
#ifdef VASKITAULU_TARKISTA
            jarjesta_detail::tarkista(v, vaihda, paikka);
#endif
            jarjesta_detail::jarjestaPaikoille(v, paikka);
            return;
        }
    }
#endif
    jarjesta_detail::suoraan(v, vaihda);
}

} // namespace vt
