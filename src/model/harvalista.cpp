#include "model/harvalista.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace vt {

void HarvaLista::lisaa(Paikka paikka, unsigned arvo) {
    assert(paikat_.empty() || paikat_.back() <= paikka);
    paikat_.push_back(paikka);
    arvot_.push_back(arvo);
}

void kokoaParhaat(std::vector<unsigned> &v, std::size_t alku, std::size_t parhaat) {
    if (v.size() <= alku + 1)
        return;
    const auto ensimmainen = v.begin() + static_cast<std::ptrdiff_t>(alku);
    std::sort(ensimmainen, v.end(), std::greater<unsigned>());
    unsigned s = 0;
    for (std::size_t i = alku; i < v.size() && i < alku + parhaat; ++i)
        s += v[i];
    v.resize(alku + 1);
    v[alku] = s;
}

void HarvaLista::kokoaViimeinen(std::size_t parhaat) {
    if (paikat_.empty())
        return;
    std::size_t alku = paikat_.size();
    while (alku > 0 && paikat_[alku - 1] == paikat_.back())
        --alku;
    kokoaParhaat(arvot_, alku, parhaat);
    paikat_.resize(arvot_.size());
}

std::uint64_t HarvaLista::summa() const {
    std::uint64_t s = 0;
    for (unsigned v : arvot_)
        s += v;
    return s;
}

std::vector<unsigned> HarvaLista::taysi(std::size_t pituus) const {
    std::vector<unsigned> r;
    r.reserve(pituus);
    kayTaysi(pituus, [&](unsigned arvo) { r.push_back(arvo); });
    return r;
}

int HarvaLista::vertaa(const HarvaLista &a, const HarvaLista &b) {
    // Both lists walked place by place over the places either names; a place one list does
    // not name holds zero there.
    std::size_t i = 0, j = 0;
    const std::size_t n = a.paikat_.size(), m = b.paikat_.size();
    while (i < n || j < m) {
        const Paikka p =
            std::min(i < n ? a.paikat_[i] : UINT32_MAX, j < m ? b.paikat_[j] : UINT32_MAX);
        const unsigned x = i < n && a.paikat_[i] == p ? a.arvot_[i++] : 0;
        const unsigned y = j < m && b.paikat_[j] == p ? b.arvot_[j++] : 0;
        if (x != y)
            return x > y ? -1 : 1;
    }
    return 0;
}

void HarvaLista::lisaaParit(std::vector<Pari> &parit) const {
    for (std::size_t k = 0; k < paikat_.size(); ++k)
        parit.emplace_back(paikat_[k], arvot_[k]);
}

HarvaLista HarvaLista::parista(std::vector<Pari> parit) {
    std::sort(parit.begin(), parit.end(),
              [](const Pari &x, const Pari &y) { return x.first < y.first; });
    HarvaLista r;
    for (const auto &[paikka, arvo] : parit) {
        if (!r.paikat_.empty() && r.paikat_.back() == paikka) {
            r.arvot_.back() += arvo;
            continue;
        }
        r.lisaa(paikka, arvo);
    }
    return r;
}

} // namespace vt
