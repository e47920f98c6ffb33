#include "model/rivihakemisto.h"

#include "model/jarjesta_osat.h"
#include "model/jarjestykset.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vt {

void RiviHakemisto::avainRivilta(const std::vector<Pelaaja> &rivit, std::uint32_t numero) {
    if (avaimet_.size() <= numero) {
        avaimet_.resize(numero + 1);
        avaimellinen_.resize(numero + 1);
    }
    const auto a = rivit[numero].totalAika.jarjestysAvain();
    if (avaimellinen_[numero])
        --avaimellisia_;
    avaimellinen_[numero] = a.has_value();
    if (a) {
        ++avaimellisia_;
        avaimet_[numero] = *a;
    }
}

void RiviHakemisto::rakenna(std::vector<Pelaaja> &rivit) {
    rivinumerot_.clear();
    jarjestys_.clear();
    avaimet_.clear();
    avaimellinen_.clear();
    avaimellisia_ = 0;
    kosketut_.clear();
    odottavat_.clear();
    tasonAlku_ = rivit.size();
    vanhaKosketettu_ = false;
    jarjestetty_ = false;
    jarjestysAvaimet_.clear();
    paikat_.clear();
    if (!harvaCup)
        cupPituus = 0;
    for (size_t i = 0; i < rivit.size(); ++i) {
        // The first row of a name wins, as a search from the top would find it.
        rivinumerot_.emplace(rivit[i].nimi, static_cast<std::uint32_t>(i));
        jarjestys_.push_back(static_cast<std::uint32_t>(i));
        avainRivilta(rivit, static_cast<std::uint32_t>(i));
        if (!harvaCup)
            cupPituus = std::max(cupPituus, rivit[i].cupPisteet.size());
    }
#ifdef VASKITAULU_TARKISTA
    suora_ = jarjestys_;
    suoraKaytossa_ = true;
#endif
}

void RiviHakemisto::valmis(std::vector<Pelaaja> &rivit) {
    puraOdottavat();
    if (!harvaCup)
        for (Pelaaja &p : rivit)
            if (p.cupPisteet.size() < cupPituus)
                p.cupPisteet.resize(cupPituus, 0);
    bool paikallaan = true;
    for (size_t k = 0; k < jarjestys_.size() && paikallaan; ++k)
        paikallaan = jarjestys_[k] == k;
    if (paikallaan)
        return;
    std::vector<Pelaaja> jarjestyksessa;
    jarjestyksessa.reserve(rivit.size());
    for (std::uint32_t i : jarjestys_)
        jarjestyksessa.push_back(std::move(rivit[i]));
    rivit = std::move(jarjestyksessa);
    rakenna(rivit);
}

void RiviHakemisto::jarjesta(std::vector<Pelaaja> &rivit) {
#ifndef VASKITAULU_SUORA_JARJESTYS // the tests' oracle build ranks the rows themselves
    for (std::uint32_t r : kosketut_)
        avainRivilta(rivit, r);
    if (avaimellisia_ == jarjestys_.size()) {
        if (!jarjestetty_)
            jarjestaKaikki();
        else if (!vanhaKosketettu_)
            odottavat_.insert(odottavat_.end(), kosketut_.begin(), kosketut_.end());
        else
            jarjestaMuuttuneet(jarjestys_.size(), kosketut_);
        kosketut_.clear();
        tasonAlku_ = jarjestys_.size();
        vanhaKosketettu_ = false;
#ifdef VASKITAULU_TARKISTA
        tarkistaJarjestys();
#endif
        return;
    }
    kosketut_.clear();
#endif
    valmis(rivit);
    vaihtojarjesta(rivit, rivitAjanMukaan());
    rakenna(rivit);
}

#ifdef VASKITAULU_TARKISTA
// The checking build ranks the rows level by level with the plain loop as well, and compares
// whenever no level waits.
void RiviHakemisto::tarkistaJarjestys() {
    if (!suoraKaytossa_ || jarjestys_.size() > jarjesta_detail::TARKISTUKSEN_RAJA) {
        suoraKaytossa_ = false;
        return;
    }
    for (auto r = static_cast<std::uint32_t>(suora_.size()); r < jarjestys_.size(); ++r)
        suora_.push_back(r);
    for (std::size_t i = 0; i < suora_.size(); ++i)
        for (std::size_t j = i + 1; j < suora_.size(); ++j)
            if (avaimet_[suora_[j]] < avaimet_[suora_[i]])
                std::swap(suora_[i], suora_[j]);
    if (odottavat_.empty() && suora_ != jarjestys_) {
        std::fprintf(stderr,
                     "vaskitaulu: the totals ranking of %zu rows differs from the "
                     "exchange loop\n",
                     jarjestys_.size());
        std::abort();
    }
}
#endif

void RiviHakemisto::puraOdottavat() {
    // Levels that only made rows are ranked at once: ranking each in turn gives the same
    // order. A group of equal keys turns once for each smaller row made behind it, whether
    // the turns come one level at a time or together, and a new row joins its group at the
    // end either way.
    if (odottavat_.empty())
        return;
    std::vector<std::uint32_t> rivit;
    rivit.swap(odottavat_);
    jarjestaMuuttuneet(tasonAlku_, rivit);
#ifdef VASKITAULU_TARKISTA
    if (suoraKaytossa_ && suora_ != std::vector<std::uint32_t>(
                                        jarjestys_.begin(), jarjestys_.begin() + suora_.size())) {
        std::fprintf(stderr, "vaskitaulu: the waiting levels ranked otherwise than in turn\n");
        std::abort();
    }
#endif
}

void RiviHakemisto::asetaJarjestys(std::vector<std::uint32_t> &jarjestys,
                                   std::vector<Avain> &avaimet) {
    // The old tables are kept as room for the next ranking.
    jarjestys_.swap(jarjestys);
    jarjestysAvaimet_.swap(avaimet);
    paikat_.resize(jarjestys_.size());
    for (size_t k = 0; k < jarjestys_.size(); ++k)
        paikat_[jarjestys_[k]] = static_cast<std::uint32_t>(k);
    jarjestetty_ = true;
}

void RiviHakemisto::jarjestaKaikki() {
    // The ranking routine's order from the keys, taken in the ranking so far.
    std::vector<Avain> avaimet;
    avaimet.reserve(jarjestys_.size());
    for (std::uint32_t i : jarjestys_)
        avaimet.push_back(avaimet_[i]);
    const std::vector<std::uint32_t> paikka = jarjesta_detail::avainJarjestys(avaimet, false);
    std::vector<std::uint32_t> &uusi = uusiJarjestys_;
    std::vector<Avain> &uudet = uudetAvaimet_;
    uusi.resize(paikka.size());
    uudet.resize(paikka.size());
    for (size_t k = 0; k < paikka.size(); ++k) {
        uusi[k] = jarjestys_[paikka[k]];
        uudet[k] = avaimet[paikka[k]];
    }
    asetaJarjestys(uusi, uudet);
}

// One ranking of the changed rows, in four steps. The order at the start is the last ranking
// (sorted by the keys of then) with the rows made since at its end. Rows not changed kept
// their keys, so they are still in order of key; the changed ones (touched or new) are sorted
// apart and merged in, equal keys in their order at the start. What is left is the order
// within groups of equal keys (see jarjesta.cpp): a group is turned by the smaller elements
// after its members, so only groups holding a changed row, or standing above a changed row
// that can now be behind them with a smaller key, can differ from their order at the start.
// Only the first `n` of the order are ranked; rows made after them stay at its end.
struct RiviHakemisto::Kierros {
    const RiviHakemisto &h;
    const std::size_t n;
    const std::size_t n0 = h.jarjestysAvaimet_.size(); // rows in the last ranking
    std::vector<std::uint32_t> &uusi;
    std::vector<Avain> &uudet;
    std::vector<std::uint32_t> muuttuneet;
    std::vector<std::size_t> kosketutPaikat;
    std::optional<Avain> kaantava;
    std::vector<std::pair<std::size_t, std::size_t>> ryhmat;

    std::size_t alussa(std::uint32_t r) const { return r >= n0 ? r : h.paikat_[r]; }
    void valitse(const std::vector<std::uint32_t> &kosketut);
    void lomita();
    void etsiRyhmat();
    void kaannaRyhmat();
};

// Step 1. After it: `muuttuneet` holds each changed row once, by key and then by place at the
// start; `kosketutPaikat` the places at the start of the changed old rows, ascending.
void RiviHakemisto::Kierros::valitse(const std::vector<std::uint32_t> &kosketut) {
    muuttuneet = kosketut;
    std::sort(muuttuneet.begin(), muuttuneet.end());
    muuttuneet.erase(std::unique(muuttuneet.begin(), muuttuneet.end()), muuttuneet.end());
    for (std::uint32_t r : muuttuneet)
        if (r < n0)
            kosketutPaikat.push_back(h.paikat_[r]);
    std::sort(kosketutPaikat.begin(), kosketutPaikat.end());
    std::sort(muuttuneet.begin(), muuttuneet.end(), [&](std::uint32_t x, std::uint32_t y) {
        if (h.avaimet_[x] != h.avaimet_[y])
            return h.avaimet_[x] < h.avaimet_[y];
        return alussa(x) < alussa(y);
    });
}

// Step 2. After it: `uusi` and `uudet` hold the first `n0` places of the order at the start
// with the changed old rows taken out and every changed row put in by key (after the
// unchanged rows of an equal key before it at the start): sorted by key, equal keys in their
// order at the start. `kaantava` is the smallest key of a changed row that can stand behind
// a group of a greater key: a new row, or an old one whose key went down.
void RiviHakemisto::Kierros::lomita() {
    uusi.clear();
    uudet.clear();
    uusi.reserve(n);
    uudet.reserve(n);
    // Invariant: the old places before `k` are taken, `t` indexes the first changed place at
    // or after `k`.
    std::size_t k = 0, t = 0;
    auto kopioi = [&](std::size_t loppu) {
        while (k < loppu) {
            const std::size_t seis =
                t < kosketutPaikat.size() ? std::min(loppu, kosketutPaikat[t]) : loppu;
            uusi.insert(uusi.end(), h.jarjestys_.begin() + static_cast<long>(k),
                        h.jarjestys_.begin() + static_cast<long>(seis));
            uudet.insert(uudet.end(), h.jarjestysAvaimet_.begin() + static_cast<long>(k),
                         h.jarjestysAvaimet_.begin() + static_cast<long>(seis));
            k = seis;
            if (k < loppu) { // a changed row: it comes with the changed ones
                ++k;
                ++t;
            }
        }
    };
    const Avain *vanhat = h.jarjestysAvaimet_.data();
    for (std::uint32_t r : muuttuneet) {
        const Avain &y = h.avaimet_[r];
        const std::size_t p = alussa(r);
        const Avain *q = std::partition_point(vanhat + k, vanhat + n0, [&](const Avain &a) {
            return a < y || (a == y && static_cast<std::size_t>(&a - vanhat) <= p);
        });
        kopioi(static_cast<std::size_t>(q - vanhat));
        uusi.push_back(r);
        uudet.push_back(y);
        if ((r >= n0 || y < vanhat[p]) && (!kaantava || y < *kaantava))
            kaantava = y;
    }
    kopioi(n0);
}

// Step 3. After it: `ryhmat` holds, by first place and once each, the groups of two or more
// equal keys in `uudet` that may have turned: those holding a changed row and those of a key
// above `kaantava`.
void RiviHakemisto::Kierros::etsiRyhmat() {
    for (std::uint32_t r : muuttuneet) {
        const auto [a, b] = std::equal_range(uudet.begin(), uudet.end(), h.avaimet_[r]);
        if (b - a >= 2)
            ryhmat.emplace_back(a - uudet.begin(), b - uudet.begin());
    }
    if (kaantava) {
        auto g = static_cast<std::size_t>(std::upper_bound(uudet.begin(), uudet.end(), *kaantava) -
                                          uudet.begin());
        while (g < n) {
            std::size_t loppu = g + 1;
            while (loppu < n && uudet[loppu] == uudet[g])
                ++loppu;
            if (loppu - g >= 2)
                ryhmat.emplace_back(g, loppu);
            g = loppu;
        }
    }
    std::sort(ryhmat.begin(), ryhmat.end());
    ryhmat.erase(std::unique(ryhmat.begin(), ryhmat.end()), ryhmat.end());
}

// Step 4. Each group, in ascending order of key, is put in the order the exchange sort
// leaves it in. The smaller rows after a member's place at the start are the unchanged rows
// of a smaller key there (a run of places) and the changed rows of a smaller key there,
// counted in a Fenwick tree over the changed rows' places, filled as the keys rise.
void RiviHakemisto::Kierros::kaannaRyhmat() {
    std::vector<std::size_t> muuttuneidenPaikat;
    muuttuneidenPaikat.reserve(muuttuneet.size());
    for (std::uint32_t r : muuttuneet)
        muuttuneidenPaikat.push_back(alussa(r));
    std::sort(muuttuneidenPaikat.begin(), muuttuneidenPaikat.end());
    auto jarjestysnumero = [&](std::size_t p) { // of the changed places up to p
        return static_cast<std::size_t>(
            std::upper_bound(muuttuneidenPaikat.begin(), muuttuneidenPaikat.end(), p) -
            muuttuneidenPaikat.begin());
    };
    jarjesta_detail::Laskuripuu pienet(muuttuneidenPaikat.size());
    std::uint32_t pieniaYhteensa = 0;
    std::size_t seuraava = 0;
    const Avain *vanhat = h.jarjestysAvaimet_.data();
    std::vector<std::uint32_t> jalkeen;
    for (const auto &[g, loppu] : ryhmat) {
        const Avain x = uudet[g];
        for (; seuraava < muuttuneet.size() && h.avaimet_[muuttuneet[seuraava]] < x; ++seuraava) {
            pienet.merkitse(jarjestysnumero(alussa(muuttuneet[seuraava])) - 1);
            ++pieniaYhteensa;
        }
        // Unchanged rows with a smaller key are those before `qx` at the start, less the
        // changed ones there.
        const auto qx = static_cast<std::size_t>(std::lower_bound(vanhat, vanhat + n0, x) - vanhat);
        auto pienempiaJalkeen = [&](std::size_t p) {
            std::size_t c = pieniaYhteensa - pienet.ennen(jarjestysnumero(p));
            if (p < qx) {
                const auto kosketutValissa = static_cast<std::size_t>(
                    std::lower_bound(kosketutPaikat.begin(), kosketutPaikat.end(), qx) -
                    std::upper_bound(kosketutPaikat.begin(), kosketutPaikat.end(), p));
                c += qx - p - 1 - kosketutValissa;
            }
            return static_cast<std::uint32_t>(c);
        };
        jalkeen.resize(loppu - g);
        for (std::size_t j = 0; j < loppu - g; ++j)
            jalkeen[j] = pienempiaJalkeen(alussa(uusi[g + j]));
        if (jalkeen[0] != 0)
            jarjesta_detail::jarjestaRyhma(&uusi[g], loppu - g, jalkeen);
    }
}

void RiviHakemisto::jarjestaMuuttuneet(size_t n, const std::vector<std::uint32_t> &kosketut) {
    Kierros k{*this, n, jarjestysAvaimet_.size(), uusiJarjestys_, uudetAvaimet_, {}, {}, {}, {}};
    k.valitse(kosketut);
    k.lomita();
    k.etsiRyhmat();
    k.kaannaRyhmat();
    k.uusi.insert(k.uusi.end(), jarjestys_.begin() + static_cast<long>(n), jarjestys_.end());
    asetaJarjestys(k.uusi, k.uudet);
}

void RiviHakemisto::muuttui(std::uint32_t numero) {
    if (numero < tasonAlku_ && !vanhaKosketettu_) {
        // A row from before this level changes: the levels waiting are ranked first, from
        // the keys they left, as they would have been at their end.
        vanhaKosketettu_ = true;
        puraOdottavat();
    }
    // Its key is read again before the ranking.
    kosketut_.push_back(numero);
}

Pelaaja *RiviHakemisto::Kaytossa::muutettava(const std::string &nimi) {
    auto it = h_.rivinumerot_.find(nimi);
    if (it == h_.rivinumerot_.end())
        return nullptr;
    h_.muuttui(it->second);
    return &rivit_[it->second];
}

Pelaaja &RiviHakemisto::Kaytossa::lisaa(Pelaaja p) {
    const auto numero = static_cast<std::uint32_t>(rivit_.size());
    h_.rivinumerot_.emplace(p.nimi, numero);
    h_.jarjestys_.push_back(numero);
    h_.kosketut_.push_back(numero);
    rivit_.push_back(std::move(p));
    return rivit_.back();
}

} // namespace vt
