#pragma once
// The ten printing options, in menu order, and the one table that names them.
#include <array>

namespace vt {

struct Tulostusasetukset {
    // Every option at its default of the table below.
    Tulostusasetukset();

    bool tyhjatLevelit;
    bool vainParas;
    bool keskiarvoYksi;
    bool keskiarvoUseita;
    bool lihavoiUudet;
    bool kaikkiAjat;
    bool lapaistyt;
    bool multiAjat;
    bool tiimit;
    bool lisatilastot;

    // Item 1..10 of the options menu.
    bool &kohta(unsigned i);
    bool kohta(unsigned i) const;
    // Sets item i as the options menu does: switching item 4 on switches item 3 on too.
    void asetaKohta(unsigned i, bool arvo);
};

// One item of the options: its text in the options menu, its flag and its default.
struct Asetuskohta {
    const char *teksti;
    bool Tulostusasetukset::*kentta;
    bool oletus;
};

// The options menu, the config file and the command line all read this table, in this order.
inline constexpr std::array<Asetuskohta, 10> ASETUSKOHDAT = {{
    {"Print levels with no times", &Tulostusasetukset::tyhjatLevelit, true},
    {"Print only best time from each player", &Tulostusasetukset::vainParas, false},
    {"Count average if only one player", &Tulostusasetukset::keskiarvoYksi, true},
    {"Count average if more than one player", &Tulostusasetukset::keskiarvoUseita, false},
    {"New times in bold in html file", &Tulostusasetukset::lihavoiUudet, false},
    {"Print all times instead of 10 first", &Tulostusasetukset::kaikkiAjat, true},
    {"Print amount of finished levels", &Tulostusasetukset::lapaistyt, true},
    {"Print multiplayer times", &Tulostusasetukset::multiAjat, true},
    {"Print team statistics", &Tulostusasetukset::tiimit, true},
    {"Print extra statistics in the end of file", &Tulostusasetukset::lisatilastot, true},
}};

inline Tulostusasetukset::Tulostusasetukset() {
    for (const Asetuskohta &k : ASETUSKOHDAT)
        this->*k.kentta = k.oletus;
}

inline bool &Tulostusasetukset::kohta(unsigned i) { return this->*ASETUSKOHDAT[i - 1].kentta; }

inline bool Tulostusasetukset::kohta(unsigned i) const { return this->*ASETUSKOHDAT[i - 1].kentta; }

inline void Tulostusasetukset::asetaKohta(unsigned i, bool arvo) {
    kohta(i) = arvo;
    if (i == 4 && arvo)
        keskiarvoYksi = true;
}

} // namespace vt
