#pragma once
// The ten printing options, in menu order.

namespace vt {

struct Tulostusasetukset {
    bool tyhjatLevelit = true;
    bool vainParas = false;
    bool keskiarvoYksi = true;
    bool keskiarvoUseita = false;
    bool lihavoiUudet = false;
    bool kaikkiAjat = true;
    bool lapaistyt = true;
    bool multiAjat = true;
    bool tiimit = true;
    bool lisatilastot = true;

    // Item 1..10 of the options menu.
    bool &kohta(unsigned i) {
        bool *t[] = {&tyhjatLevelit, &vainParas, &keskiarvoYksi, &keskiarvoUseita, &lihavoiUudet,
                     &kaikkiAjat,    &lapaistyt, &multiAjat,     &tiimit,          &lisatilastot};
        return *t[i - 1];
    }
};

} // namespace vt
