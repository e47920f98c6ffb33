#include "model/sivutiedostot.h"

#include "model/pisteet.h"
#include "util/syote.h"
#include "util/teksti.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <streambuf>
#include <string>

namespace vt {

bool lueAsetukset(std::istream &in, Tulostusasetukset &asetukset) {
    Tulostusasetukset uudet;
    for (unsigned i = 1; i <= 10; ++i) {
        int arvo = -1;
        if (!(in >> arvo) || (arvo != 0 && arvo != 1))
            return false;
        // The rest of the line is skipped, not kept, however long it is.
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (in.gcount() == 0)
            return false; // the value was the very last thing in the file
        uudet.kohta(i) = arvo == 1;
    }
    asetukset = uudet;
    return true;
}

bool luePisteet(std::istream &in, std::vector<unsigned> &taulukko) {
    taulukko.clear();
    bool virhe = false;
    // Read a character at a time, so that no line and no file is ever held whole. Numbers may
    // be preceded by any white space, empty lines included.
    std::streambuf *sb = in.rdbuf();
    using T = std::streambuf::traits_type;
    const auto merkki = [](std::streambuf::int_type c) {
        return T::eq_int_type(c, T::eof()) ? '\0' : T::to_char_type(c);
    };
    while (sb) {
        std::streambuf::int_type c = sb->sgetc();
        while (!T::eq_int_type(c, T::eof()) && onValilyonti(merkki(c)))
            c = sb->snextc();
        bool negatiivinen = false;
        if (merkki(c) == '+' || merkki(c) == '-') {
            negatiivinen = merkki(c) == '-';
            c = sb->snextc();
        }
        if (merkki(c) < '0' || merkki(c) > '9')
            break;
        unsigned long long v = 0;
        for (; merkki(c) >= '0' && merkki(c) <= '9'; c = sb->snextc())
            v = std::min<unsigned long long>(1000000,
                                             v * 10 + static_cast<unsigned>(merkki(c) - '0'));
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
        while (!T::eq_int_type(c, T::eof()) && merkki(c) != '\n')
            c = sb->snextc();
    }
    return virhe;
}

void lueAsetustiedosto(const std::string &nimi, Tulostusasetukset &asetukset) {
    Syote in(nimi);
    if (in.auki())
        lueAsetukset(in.virta(), asetukset);
}

bool luePistetiedosto(const std::string &nimi, std::vector<unsigned> &taulukko) {
    taulukko.clear();
    Syote in(nimi);
    return in.auki() && luePisteet(in.virta(), taulukko);
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
