#pragma once
#include "model/level.h"

#include <cstddef>
#include <string>
#include <vector>

namespace testi {

inline vt::Ajo ajo(const std::string &nimi, const std::string &aika, bool uusi = false) {
    vt::Ajo a;
    a.aika = vt::Aika(aika);
    a.nimi = nimi;
    a.uusi = uusi;
    return a;
}

inline vt::Level level(const std::string &nimi, std::initializer_list<vt::Ajo> ajot) {
    vt::Level l(nimi);
    for (const vt::Ajo &a : ajot)
        l.lisaaAjo(a);
    return l;
}

// A sparse cup list spread out to its full length.
inline std::vector<unsigned> levita(const vt::Pelaaja &p, std::size_t pituus) {
    std::vector<unsigned> r(pituus, 0);
    const auto &paikat = p.cupHarva.paikat();
    for (std::size_t k = 0; k < paikat.size(); ++k)
        r.at(paikat[k]) = p.cupHarva.arvot()[k];
    return r;
}

} // namespace testi
