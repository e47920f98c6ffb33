// Options 12 to 14: the cup tables.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "cup/cuptaulukot.h"
#include "util/teksti.h"

#include <ostream>

namespace vt {

namespace {

const Tiedostolaji CUPTIEDOSTO{".txt", TULOSTIEDOSTO_ALKU};

bool kysyTiedot(Tila &t) {
    for (;;) {
        t.konsoli.kehota("Do you want to print details? (1=yes, 2=no) (default = 1): ");
        std::string v = lyhenna(t.konsoli.lueRivi());
        if (v == "1" || v.empty())
            return true;
        if (v == "2")
            return false;
    }
}

void tallennaStandings(Tila &t, bool tiimit) {
    const bool tiedot = kysyTiedot(t);
    // The team table needs team rows whatever option 9 says; the setting stays.
    Tulostusasetukset asetukset = t.asetukset;
    if (tiimit)
        asetukset.tiimit = true;
    tallennaDialogilla(
        t, CUPTIEDOSTO, [](const std::string &) {},
        [&](std::ostream &out) {
            tulostaKaikkiCupPisteet(out, t.levelit, asetukset, t.pistetaulukko, tiimit, tiedot,
                                    t.ulos(), t.kello, &t.totalit);
        });
}

} // namespace

void tallennaLevelinCup(Tila &t) {
    const auto valittu = kysyTulostettavaLevel(t, "Cup stats saving aborted.\n");
    if (!valittu)
        return;
    tallennaDialogilla(
        t, CUPTIEDOSTO, [](const std::string &) {},
        [&](std::ostream &out) {
            tulostaYhdenKentanCupPisteet(out, *valittu, t.levelit, t.asetukset, t.pistetaulukko,
                                         t.kello);
        });
}

void tallennaPelaajienCup(Tila &t) { tallennaStandings(t, false); }

void tallennaTiimienCup(Tila &t) { tallennaStandings(t, true); }

} // namespace vt
