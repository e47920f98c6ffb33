// The saving dialogue shared by the saving commands.
#include "app/tallennus.h"

#include "util/syote.h"
#include "util/teksti.h"
#include "util/tiedosto.h"

#include <ostream>

namespace vt {

bool tiedostoOnOlemassa(const std::string &nimi) { return nimiVarattu(nimi); }

bool onLeveleita(Tila &t) {
    if (!t.levelit.empty())
        return true;
    t.ulos() << "No levels.\n";
    return false;
}

std::optional<std::string> kysyTallennusnimi(Tila &t, const Tiedostolaji &laji, bool *kirjoitettu) {
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
    if (kirjoitettu)
        *kirjoitettu = !onkotyhja(nimi);
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
    bool kirjoitettu = false;
    const std::optional<std::string> valittu = kysyTallennusnimi(t, laji, &kirjoitettu);
    if (!valittu)
        return;
    const std::string &nimi = *valittu;
    // A link to nothing is followed only under a name the user typed: a proposed name must
    // not lead the file out of the folder.
    TulosteenVaraus varaus(nimi, kirjoitettu);
    if (!varaus.onnistui()) {
        t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
        return;
    }
    try {
        kysymykset(nimi);
    } catch (const SyoteLoppui &) {
        varaus.peru();
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
