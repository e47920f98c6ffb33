// Any bytes as a stat file: reading must not fail or run away, the same bytes merged a second
// time add nothing, and whatever was read can be written as a stat file, an HTML page and cup
// tables, and read again.
#include "cup/cuptaulukot.h"
#include "model/sivutiedostot.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"

#include <algorithm>
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

    // The round trip: what was read, written and read again writes the same bytes, allowing
    // one extra round: "Average" and "apple" are cut out of names, blanks at a name's ends are
    // trimmed and a name that reads as a time takes that time, so after one round the names
    // are what the layout gives back. Outside what the layout can promise are names holding
    // the marks of a level header. A player name with "Level" or "results" makes its lines
    // (beside the commas and colons of a time) read as headers; a level name with a comma, a
    // colon or brackets is cut where the header's own marks are looked for, and two such
    // levels may then become one, with their runs in another order.
    auto luvattu = [](const std::vector<vt::Level> &l) {
        auto merkit = [](const std::string &n) {
            return n.find("Level") != std::string::npos || n.find("results") != std::string::npos;
        };
        return std::none_of(l.begin(), l.end(), [&](const vt::Level &x) {
            return merkit(x.annaNimi()) ||
                   x.annaNimi().find_first_of(",:()") != std::string::npos ||
                   std::any_of(x.ajot().begin(), x.ajot().end(),
                               [&](const vt::Ajo &a) { return merkit(a.nimi); });
        });
    };
    const std::string kirjoitus1 = kirjoita(levelit);
    std::istringstream takaisin(kirjoitus1);
    std::vector<vt::Level> luetut;
    vt::lueStats(takaisin, luetut, false, konsoli);
    const std::string kirjoitus2 = kirjoita(luetut);
    std::istringstream toinen(kirjoitus2);
    std::vector<vt::Level> luetut2;
    vt::lueStats(toinen, luetut2, false, konsoli);
    if (luvattu(levelit) && luvattu(luetut) && kirjoita(luetut2) != kirjoitus2)
        std::abort();

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
