#include "model/sivutiedostot.h"

#include "model/pisteet.h"
#include "util/teksti.h"

#include <istream>
#include <string>

namespace vt {

bool lueAsetukset(std::istream &in, Tulostusasetukset &asetukset) {
    Tulostusasetukset uudet;
    for (unsigned i = 1; i <= 10; ++i) {
        int arvo = -1;
        if (!(in >> arvo) || (arvo != 0 && arvo != 1))
            return false;
        std::string loput;
        if (!std::getline(in, loput))
            return false; // the value was the very last thing in the file
        uudet.kohta(i) = arvo == 1;
    }
    asetukset = uudet;
    return true;
}

bool luePisteet(std::istream &in, std::vector<unsigned> &taulukko) {
    taulukko.clear();
    bool virhe = false;
    // Numbers may be preceded by any white space, empty lines included.
    std::string kaikki((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t i = 0;
    LuettuLuku luku;
    while (lueLuku(kaikki, i, 1000000, luku)) {
        const unsigned long long v = luku.arvo;
        const bool negatiivinen = luku.negatiivinen;
        unsigned arvo;
        if (negatiivinen && v > 0) {
            arvo = 0;
            virhe = true;
        } else if (v > 1000) {
            arvo = 1000;
            virhe = true;
        } else {
            arvo = static_cast<unsigned>(v);
        }
        taulukko.push_back(arvo * CUP_YKSIKKO);
        while (i < kaikki.size() && kaikki[i] != '\n')
            ++i;
    }
    return virhe;
}

std::vector<unsigned> oletusPisteet() {
    std::vector<unsigned> t;
    for (unsigned v : {100u, 85u, 75u, 70u, 65u, 60u, 56u, 52u, 49u, 46u, 44u, 42u, 40u, 38u, 36u})
        t.push_back(v * CUP_YKSIKKO);
    for (unsigned v = 35; v >= 1; --v)
        t.push_back(v * CUP_YKSIKKO);
    return t;
}

} // namespace vt
