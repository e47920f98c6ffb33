// Any bytes as the files of an event series: registration lines, the players and the
// nationalities files, replay links and checked times. The side files are rewritten in
// memory; whatever comes in, the nationalities file written holds every registered name once.
#include "series/recit.h"
#include "series/rekisteroinnit.h"
#include "series/sorakisa.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string teksti(reinterpret_cast<const char *>(data), size);
    vt::Level level("Race7");
    for (const char *n : {"bob", "ann", "a, b"}) {
        vt::Ajo a;
        a.nimi = n;
        a.aika.sekunnit = 30;
        level.lisaaAjo(a);
    }
    std::map<std::string, std::string> tiedostot;
    tiedostot["nat"] = teksti;
    tiedostot["players"] = teksti;
    const vt::Sivutiedostot liitos{"players", "nat",
                                   [&](const std::string &n) { return tiedostot[n]; },
                                   [&](const std::string &n, const std::string &s) {
                                       tiedostot[n] = s;
                                       return true;
                                   }};
    std::ostringstream ulos;
    {
        std::istringstream in(teksti);
        vt::lueRekisteroinnit(level, in, size % 2 == 0, {}, liitos, ulos);
    }
    {
        std::istringstream in(teksti);
        vt::readUploadedRecs(level, in, {}, ulos);
    }
    {
        std::istringstream in(teksti);
        vt::tarkistaReccienOikeatAjat(level, in, ulos);
    }
    bool loytyi = false;
    if (auto uusi = vt::siirraKansallisuuteen(teksti, "x_y", "FIN", loytyi)) {
        std::istringstream sanat(*uusi);
        std::string sana;
        unsigned kertaa = 0;
        while (sanat >> sana)
            kertaa += sana == "x_y";
        if (kertaa != 1)
            std::abort();
    }
    std::vector<vt::Ajo> ajot;
    level.annaAjotJarjestyksessa(ajot);
    std::ostringstream taulu;
    vt::tulostaTilanne(taulu, ajot);
    const vt::Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    vt::tulostaSorakisa(taulu, ajot, {vt::tapahtumanNumero(teksti), "d", "p", "a"}, kello);
    return 0;
}
