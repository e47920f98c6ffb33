// The saving dialogue shared by the saving commands.
#include "app/tallennus.h"

#include "util/syote.h"
#include "util/tallennuspolku.h"

#include <ostream>

namespace vt {

bool tiedostoOnOlemassa(const std::string &nimi) { return nimiVarattu(nimi); }

bool onLeveleita(Tila &t) {
    if (!t.levelit.empty())
        return true;
    t.ulos() << "No levels.\n";
    return false;
}

Tallennus menunTallennus(Tila &t) {
    return Tallennus(t.konsoli, [&t]() -> std::ostream & { return t.tiedostoVirhe(); });
}

void tallennaDialogilla(Tila &t, const Tiedostolaji &laji,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita) {
    tallennaDialogilla(
        t.konsoli, [&t]() -> std::ostream & { return t.tiedostoVirhe(); },
        vapaaNimi(laji.alku, laji.paate, tiedostoOnOlemassa), laji.paate, kysymykset, kirjoita);
}

} // namespace vt
