#pragma once
// The one ranking routine. Every ranking of the program is this exchange sort: for each i,
// for every later j, exchange the two when the rule says so. Its order of equal keys is part
// of the output, so no call site may use std::sort instead.
//
// A rule is either any callable rule(earlier, later), run as written, or a `Jarjestys`: the
// same rule together with a totally ordered key that says the same thing ("exchange when the
// later key is smaller", or "... smaller or equal"). With a key the routine runs the very same
// exchanges, but finds them through a tree of range minima instead of comparing every pair,
// so a table that is nearly in order (the totals after each level) costs n log n, not n².
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

// The exchange sort over keys. In step i the element at i is compared with every later one
// and replaced by each later element that beats it; only those "beating" elements matter, and
// a tree whose nodes hold the best position of their range finds the next one directly. When
// the steps stop being cheap (a badly shuffled table makes every step exchange many times) the
// rest is done pair by pair, which is then no slower.
template <class K> std::vector<std::uint32_t> avainJarjestys(std::vector<K> a, bool tasan) {
    const std::size_t n = a.size();
    std::vector<std::uint32_t> paikka(n);
    for (std::size_t i = 0; i < n; ++i)
        paikka[i] = static_cast<std::uint32_t>(i);
    auto voittaa = [&](const K &nykyinen, const K &myohempi) {
        return tasan ? !(nykyinen < myohempi) : myohempi < nykyinen;
    };
    auto vaihdaPaikat = [&](std::size_t i, std::size_t j) {
        std::swap(a[i], a[j]);
        std::swap(paikka[i], paikka[j]);
    };

    std::size_t lehdet = 1;
    while (lehdet < n)
        lehdet *= 2;
    constexpr std::uint32_t tyhja = UINT32_MAX;
    std::vector<std::uint32_t> puu(2 * lehdet, tyhja);
    std::uint64_t tyo = 0; // key comparisons of the current step
    auto parempi = [&](std::uint32_t x, std::uint32_t y) {
        if (x == tyhja)
            return y;
        if (y == tyhja)
            return x;
        ++tyo;
        return voittaa(a[x], a[y]) ? y : x;
    };
    // The element at `kohta` got worse (or left the tree): only the nodes that named it as
    // their best can change, and above the first that did not the tree still holds.
    auto paivita = [&](std::size_t kohta) {
        for (std::size_t p = (kohta + lehdet) / 2; p >= 1 && puu[p] == kohta; p /= 2)
            puu[p] = parempi(puu[2 * p], puu[2 * p + 1]);
    };
    for (std::size_t i = 0; i < n; ++i)
        puu[lehdet + i] = static_cast<std::uint32_t>(i);
    for (std::size_t p = lehdet - 1; p >= 1; --p)
        puu[p] = parempi(puu[2 * p], puu[2 * p + 1]);

    // First position >= alku whose element beats the element at `i`, or n.
    auto seuraava = [&](std::size_t i, std::size_t alku) {
        std::size_t p = alku + lehdet;
        auto osuu = [&](std::size_t solmu) {
            if (puu[solmu] == tyhja)
                return false;
            ++tyo;
            return voittaa(a[i], a[puu[solmu]]);
        };
        // Climb while the subtrees to the right of the path hold no winner, then descend.
        if (!osuu(p)) {
            for (;;) {
                while (p & 1) {
                    p /= 2;
                    if (p == 0)
                        return n;
                }
                ++p;
                if (osuu(p))
                    break;
            }
        }
        while (p < lehdet)
            p = osuu(2 * p) ? 2 * p : 2 * p + 1;
        return p - lehdet;
    };

    // The best position in [alku, loppu), or tyhja.
    auto parasValilta = [&](std::size_t alku, std::size_t loppu) {
        std::uint32_t r = tyhja;
        for (alku += lehdet, loppu += lehdet; alku < loppu; alku /= 2, loppu /= 2) {
            if (alku & 1)
                r = parempi(r, puu[alku++]);
            if (loppu & 1)
                r = parempi(r, puu[--loppu]);
        }
        return r;
    };

    // Rows new to the table arrive last and much too good. Then step after step exchanges
    // only with those last few slots: the step's element is not beaten by anything between
    // it and them, and what it picks up there is only compared further on there. Such steps
    // are done here without the tree, against the last slots directly, as long as nothing in
    // between beats the step's element; the tree is brought up to date once at the end.
    // Returns the number of steps done from step `s`, whose first winner is at `p`.
    constexpr std::size_t puskurinKoko = 32;
    std::vector<std::uint32_t> loppuParas;
    auto puskuri = [&](std::size_t s, std::size_t p) -> std::size_t {
        if (n - p > puskurinKoko)
            return 0;
        std::size_t t = s;
        for (std::size_t ikkuna = 4;; ikkuna *= 2) {
            const std::size_t loppu = std::min(t + ikkuna, p);
            // loppuParas[k - t]: the best of (k, p) for the steps of this window; those
            // positions are untouched until their own step.
            loppuParas.assign(loppu - t, tyhja);
            std::uint32_t paras = parasValilta(loppu, p);
            for (std::size_t k = loppu; k-- > t;) {
                loppuParas[k - t] = paras;
                paras = parempi(static_cast<std::uint32_t>(k), paras);
            }
            const std::size_t alku = t;
            for (; t < loppu; ++t) {
                const std::uint32_t valissa = loppuParas[t - alku];
                ++tyo;
                if (valissa != tyhja && voittaa(a[t], a[valissa]))
                    break;
                for (std::size_t b = p; b < n; ++b) {
                    ++tyo;
                    if (voittaa(a[t], a[b]))
                        vaihdaPaikat(t, b);
                }
            }
            if (t < loppu || loppu == p)
                break;
        }
        const std::size_t m = t - s;
        // The settled positions leave the tree; the nodes above them and above the last
        // slots are recomputed level by level.
        for (std::size_t k = s; k < t; ++k)
            puu[lehdet + k] = tyhja;
        std::size_t ala1 = (s + lehdet) / 2, yla1 = (t - 1 + lehdet) / 2;
        std::size_t ala2 = (p + lehdet) / 2, yla2 = (n - 1 + lehdet) / 2;
        for (; ala1 >= 1; ala1 /= 2, yla1 /= 2, ala2 /= 2, yla2 /= 2) {
            for (std::size_t x = ala1; x <= yla1; ++x)
                puu[x] = parempi(puu[2 * x], puu[2 * x + 1]);
            for (std::size_t x = std::max(ala2, yla1 + 1); x <= yla2; ++x)
                puu[x] = parempi(puu[2 * x], puu[2 * x + 1]);
        }
        return m;
    };

    double keskiTyo = 0;
    std::size_t i = 0;
    for (; i + 1 < n; ++i) {
        // A step pair by pair costs n - i - 1 comparisons.
        if (i > 0 && keskiTyo > static_cast<double>(n - i - 1))
            break;
        tyo = 0;
        // Position i is settled by this step and never searched again.
        puu[lehdet + i] = tyhja;
        paivita(i);
        std::size_t j = seuraava(i, i + 1);
        if (j < n) {
            if (const std::size_t m = puskuri(i, j)) {
                keskiTyo =
                    0.75 * keskiTyo + 0.25 * static_cast<double>(tyo) / static_cast<double>(m);
                i += m - 1;
                continue;
            }
        }
        while (j < n) {
            // The element arriving at j is beaten by the one leaving: j only gets worse.
            vaihdaPaikat(i, j);
            paivita(j);
            j = j + 1 < n ? seuraava(i, j + 1) : n;
        }
        keskiTyo = 0.75 * keskiTyo + 0.25 * static_cast<double>(tyo);
    }
    for (; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (voittaa(a[i], a[j]))
                vaihdaPaikat(i, j);
    return paikka;
}

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

template <class T, class Vaihda> void vaihtojarjesta(std::vector<T> &v, Vaihda vaihda) {
#ifndef VASKITAULU_SUORA_JARJESTYS // the tests' oracle build runs the plain loop only
    if constexpr (jarjesta_detail::onJarjestys<Vaihda>::value) {
        // Below this size the tree costs more than it saves.
        if (v.size() >= 32 && v.size() < UINT32_MAX) {
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
        if (v.size() >= 32 && v.size() < UINT32_MAX) {
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
