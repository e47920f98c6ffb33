// Battles: option 1 for channel logs, option 15 for the battle file.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "battle/battlet.h"
#include "battle/battletiedosto.h"
#include "util/syote.h"
#include "util/tiedosto.h"

#include <optional>
#include <ostream>

namespace vt {

void lueBattleLoki(Tila &t, const std::string &nimi) {
    std::vector<Nickit> nickit;
    {
        Syote in(t.nimitiedosto);
        if (in.auki())
            lueNimiTiedosto(in.virta(), nickit);
    }
    // A log that does not open reads as an empty one.
    Syote loki(nimi);
    Sarjakisa kisa(t.konsoli, t.levelit, t.uusiOletus, std::move(nickit));
    kisa.lue(loki.virta());
}

void tallennaBattlet(Tila &t) {
    bool kirjoitettu = false;
    const std::optional<std::string> vahvistettu =
        kysyTallennusnimi(t, {".txt", TULOSTIEDOSTO_ALKU}, &kirjoitettu);
    if (!vahvistettu)
        return;
    const bool html = kysyHtmlMuoto(t.konsoli);
    const std::string nimi = battleTiedostonNimi(*vahvistettu, html, tiedostoOnOlemassa);
    // The form may have led to another name than the one confirmed.
    if (nimi != *vahvistettu && tiedostoOnOlemassa(nimi) &&
        kysyluku(t.konsoli, "File " + nimi + " already exists, overwrite? (1=yes, 2=no): ", 1, 2,
                 false) == 2) {
        t.ulos() << "Saving cancelled.\n";
        return;
    }
    // A link to nothing is followed only under the very name the user typed.
    if (!voiKirjoittaa(nimi) || (linkkiTyhjaan(nimi) && !(kirjoitettu && nimi == *vahvistettu))) {
        t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
        return;
    }
    const unsigned bonus = kysyLisapisteet(t.konsoli, 1);
    const BattleTiedosto tiedosto = teeBattleTiedosto(t.levelit, html, bonus, t.ulos(), t.kello);
    t.ulos() << "Writing to file...\n";
    const Kirjoitus tulos = kirjoitaTiedostoon(
        nimi, [&](std::ostream &out) { out << tiedosto.alku << tiedosto.keski << tiedosto.loppu; });
    if (tulos == Kirjoitus::EiAukea) {
        t.tiedostoVirhe() << "Output file couldn't be made. \n";
        tauko(t.konsoli);
    }
    if (tulos == Kirjoitus::Onnistui)
        t.ulos() << "File " << nimi << " saved successfully. \n";
    else
        t.tiedostoVirhe() << "Saving file " << nimi << " failed. \n";
}

} // namespace vt
