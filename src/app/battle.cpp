// Battles: option 1 for channel logs, option 15 for the battle file.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "battle/battlet.h"
#include "battle/battletiedosto.h"
#include "util/syote.h"
#include "util/tallennuspolku.h"

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
    Tallennus tallennus = menunTallennus(t);
    if (!tallennus.kysyNimi(vapaaNimi(TULOSTIEDOSTO_ALKU, ".txt", tiedostoOnOlemassa), ".txt"))
        return;
    const bool html = kysyHtmlMuoto(t.konsoli);
    // The form may lead to another name than the one confirmed.
    if (!tallennus.vaihdaNimi(battleTiedostonNimi(tallennus.nimi(), html, tiedostoOnOlemassa)) ||
        !tallennus.varaa())
        return;
    unsigned bonus = 0;
    tallennus.kysy([&] { bonus = kysyLisapisteet(t.konsoli, 1); });
    const BattleTiedosto tiedosto = teeBattleTiedosto(t.levelit, html, bonus, t.ulos(), t.kello);
    t.ulos() << "Writing to file...\n";
    tallennus.kirjoita(
        [&](std::ostream &out) { out << tiedosto.alku << tiedosto.keski << tiedosto.loppu; },
        {.kerroOnnistuminen = true, .eiSyntynytTauolla = true});
}

} // namespace vt
