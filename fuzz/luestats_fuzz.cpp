// Any bytes as a stat file: reading must not fail or run away, the same bytes merged a second
// time add nothing, and whatever was read can be written as a stat file, an HTML page and cup
// tables, and read again.
#include "cup/cuptaulukot.h"
#include "model/sivutiedostot.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string kirjoita(const std::vector<vt::Level> &levelit) {
    vt::Tulostusasetukset o;
    o.tyhjatLevelit = true;
    o.kaikkiAjat = true;
    o.multiAjat = true;
    std::ostringstream out, konsoli;
    const vt::Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    vt::tulostaStats(out, levelit, o, true, vt::oletusPisteet(), konsoli, kello);
    return out.str();
}

std::size_t ajoja(const std::vector<vt::Level> &levelit) {
    std::size_t n = 0;
    for (const vt::Level &l : levelit)
        n += l.annaAjojenLkm();
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string teksti(reinterpret_cast<const char *>(data), size);
    std::ostringstream konsoli;
    std::vector<vt::Level> levelit;
    std::istringstream in(teksti);
    vt::lueStats(in, levelit, size % 2 == 1, konsoli);
    const std::size_t levelitEnnen = levelit.size(), ajotEnnen = ajoja(levelit);

    std::istringstream uudestaan(teksti);
    vt::lueStats(uudestaan, levelit, false, konsoli);
    if (levelit.size() != levelitEnnen || ajoja(levelit) != ajotEnnen)
        std::abort();

    std::istringstream takaisin(kirjoita(levelit));
    std::vector<vt::Level> luetut;
    vt::lueStats(takaisin, luetut, false, konsoli);

    // Every writer on what was read, with options taken from the input's own bytes.
    vt::Tulostusasetukset o;
    for (unsigned i = 1; i <= 10; ++i)
        o.kohta(i) = size > i && (data[size - i] & 1);
    const vt::Kello kello = [] { return std::string("Tue Dec  8 12:00:00 2026\n"); };
    const std::vector<unsigned> pisteet = vt::oletusPisteet();
    std::ostringstream sivu;
    vt::tulostaHtml(sivu, levelit, o, true, "T", pisteet, "u", konsoli, kello);
    for (unsigned i = 0; i < levelit.size() && i < 3; ++i) {
        std::ostringstream yksi;
        vt::tulostaYhdenKentanCupPisteet(yksi, i, levelit, o, pisteet, kello);
        std::istringstream cupTakaisin(yksi.str());
        vt::lueStats(cupTakaisin, luetut, false, konsoli);
    }
    std::ostringstream cup;
    vt::tulostaKaikkiCupPisteet(cup, levelit, o, pisteet, size % 3 == 0, true, konsoli, kello);
    return 0;
}
