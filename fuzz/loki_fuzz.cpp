// Any bytes as an IRC channel log: every scanning operation on every line, the alias file
// reader, and the whole automatic reading pass. Nothing may fail or run away, and every
// battle found becomes a level with runs that have a name and a result.
#include "battle/battlet.h"
#include "battle/lokirivi.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string teksti(reinterpret_cast<const char *>(data), size);
    std::vector<vt::Nickit> nickit;
    {
        std::istringstream in(teksti);
        vt::lueNimiTiedosto(in, nickit);
        for (const vt::Nickit &n : nickit)
            if (n.avain.size() > 5 || n.nimi.empty())
                std::abort();
    }
    std::istringstream rivit(teksti);
    std::string rivi;
    vt::Date date;
    while (std::getline(rivit, rivi)) {
        date.lueRivistaPaivamaara(rivi);
        const std::string aika = vt::etsiAlkuTaiLoppuAika(rivi, date);
        if (!aika.empty() && aika.size() != 5)
            std::abort();
        vt::sanoja(rivi, nickit);
        if (vt::battlenSanoja(rivi, {}).size() > 11)
            std::abort();
        vt::etsiLevelLogista(rivi);
        std::string k = rivi;
        vt::karsi(k);
        date.lisaaPaiva();
    }

    // The reading pass without questions: one blank answer.
    std::istringstream vastaukset("\n");
    std::ostringstream ulos;
    vt::Konsoli konsoli(vastaukset, ulos, false);
    std::vector<vt::Level> levelit;
    std::istringstream loki(teksti);
    vt::Sarjakisa(konsoli, levelit, size % 2 == 0, nickit).lue(loki);
    for (const vt::Level &l : levelit)
        for (const vt::Ajo &a : l.ajot())
            if (a.nimi.empty() || a.aika.nolla())
                std::abort();
    return 0;
}
