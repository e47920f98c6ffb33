// The saving dialogue shared by the saving commands.
#include "app/tallennus.h"

#include "util/teksti.h"
#include "util/tiedosto.h"

#include <cstdio>
#include <fstream>
#include <ostream>

namespace vt {

bool tiedostoOnOlemassa(const std::string &nimi) {
    std::ifstream in(nimi, std::ios::binary);
    return in.is_open();
}

bool onLeveleita(Tila &t) {
    if (!t.levelit.empty())
        return true;
    t.ulos() << "No levels.\n";
    return false;
}

std::optional<std::string> kysyTallennusnimi(Tila &t, const Tiedostolaji &laji) {
    std::string ehdotus = laji.alku + laji.paate;
    for (unsigned k = 1; k <= 99; ++k) {
        std::string nimi = laji.alku + int2string2(k) + laji.paate;
        if (!tiedostoOnOlemassa(nimi)) {
            ehdotus = nimi;
            break;
        }
    }
    t.konsoli.kehota("Give the file name: (default: " + ehdotus + "): ");
    std::string nimi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(nimi))
        nimi = ehdotus;
    if (nimi.find('.') == std::string::npos)
        nimi += laji.paate;
    if (tiedostoOnOlemassa(nimi) &&
        kysyluku(t.konsoli, "File " + nimi + " already exists, overwrite? (1=yes, 2=no): ", 1, 2,
                 false) == 2) {
        t.ulos() << "Saving cancelled.\n";
        return std::nullopt;
    }
    return nimi;
}

void tallennaDialogilla(Tila &t, const Tiedostolaji &laji,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita) {
    const std::optional<std::string> valittu = kysyTallennusnimi(t, laji);
    if (!valittu)
        return;
    const std::string &nimi = *valittu;
    const bool oli = tiedostoOnOlemassa(nimi);
    {
        // Checked without emptying it, so that a question left unanswered changes nothing.
        std::ofstream koe(nimi, std::ios::binary | std::ios::app);
        if (!koe.is_open()) {
            t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
            return;
        }
    }
    try {
        kysymykset(nimi);
    } catch (const SyoteLoppui &) {
        if (!oli)
            std::remove(nimi.c_str());
        throw;
    }
    switch (kirjoitaTiedostoon(nimi, kirjoita)) {
    case Kirjoitus::EiAukea:
        t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
        break;
    case Kirjoitus::Onnistui:
        t.ulos() << "File " << nimi << " saved successfully. \n";
        break;
    case Kirjoitus::Epaonnistui:
        t.tiedostoVirhe() << "Saving file " << nimi << " failed. \n";
        break;
    }
}

} // namespace vt
