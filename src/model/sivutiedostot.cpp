#include "model/sivutiedostot.h"

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
    std::string rivi;
    // Numbers may be preceded by any white space, empty lines included.
    std::string kaikki((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t i = 0;
    for (;;) {
        while (i < kaikki.size() && onValilyonti(kaikki[i]))
            ++i;
        bool negatiivinen = false;
        size_t alku = i;
        if (i < kaikki.size() && (kaikki[i] == '-' || kaikki[i] == '+')) {
            negatiivinen = kaikki[i] == '-';
            ++i;
        }
        if (i >= kaikki.size() || kaikki[i] < '0' || kaikki[i] > '9') {
            (void)alku;
            break;
        }
        unsigned long long v = 0;
        while (i < kaikki.size() && kaikki[i] >= '0' && kaikki[i] <= '9') {
            if (v <= 1000000)
                v = v * 10 + static_cast<unsigned>(kaikki[i] - '0');
            ++i;
        }
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
        taulukko.push_back(arvo * 2520);
        while (i < kaikki.size() && kaikki[i] != '\n')
            ++i;
    }
    return virhe;
}

std::vector<unsigned> oletusPisteet() {
    std::vector<unsigned> t;
    for (unsigned v : {100u, 85u, 75u, 70u, 65u, 60u, 56u, 52u, 49u, 46u, 44u, 42u, 40u, 38u, 36u})
        t.push_back(v * 2520);
    for (unsigned v = 35; v >= 1; --v)
        t.push_back(v * 2520);
    return t;
}

} // namespace vt
