#pragma once
// The one ranking routine. Every ranking of the program is this exchange sort: for each i,
// for every later j, exchange the two when the rule says so. Its order of equal keys is part
// of the output, so no call site may use std::sort instead.
//
// A rule is either any callable rule(earlier, later), run as written, or a `Jarjestys`: the
// same rule together with a totally ordered key that says the same thing ("exchange when the
// later key is smaller", or "... smaller or equal"). With a key the routine gives the very
// same order without making the exchanges: it is known from the keys (see jarjesta.cpp), in
// time close to n for a table that is nearly in order (the totals after each level).
#include <algorithm>
#include <cstddef>
#include <cstdint>
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

// How the threshold routine holds its elements (see jarjesta.cpp): `mitattu` picks the
// quicker form as it goes; the tests fix one form, or move between them every few steps.
enum class KynnysMuoto { mitattu, taulukko, puu, vuorotellen };

// The final position of every element (paikka[k] is the original index of the element that
// ends at k) under a threshold rule.
std::vector<std::uint32_t> kynnysJarjestys(std::vector<std::uint32_t> avaimet,
                                           std::vector<std::uint32_t> kynnykset,
                                           KynnysMuoto muoto = KynnysMuoto::mitattu);

// Marks on positions 0 to n - 1, counted by a Fenwick tree: marking one and counting those
// before a position each take log n steps.
class Laskuripuu {
  public:
    explicit Laskuripuu(std::size_t n) : puu_(n + 1, 0) {}
    void merkitse(std::size_t kohta) {
        for (std::size_t i = kohta + 1; i < puu_.size(); i += i & (0 - i))
            ++puu_[i];
    }
    // The marks on positions before `loppu`.
    std::uint32_t ennen(std::size_t loppu) const {
        std::uint32_t r = 0;
        for (std::size_t i = loppu; i > 0; i -= i & (0 - i))
            r += puu_[i];
        return r;
    }

  private:
    std::vector<std::uint32_t> puu_;
};

// The order the strict rule gives one group of equal keys: `ryhma` holds its members in their
// order at the start, `jalkeen[j]` the number of smaller elements after the j-th member (to
// the end); the members are left in their final order.
void jarjestaRyhma(std::uint32_t *ryhma, std::size_t koko,
                   const std::vector<std::uint32_t> &jalkeen);

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
            jarjesta_detail::jarjestaPaikoille(v, paikka);
            return;
        }
    }
#endif
    jarjesta_detail::suoraan(v, vaihda);
}

} // namespace vt
