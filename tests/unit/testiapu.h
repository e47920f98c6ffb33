#pragma once
#include "model/level.h"

#include <string>

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

} // namespace testi
