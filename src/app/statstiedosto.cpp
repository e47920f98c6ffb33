// Options 8 and 10: the collection in the stat-file layout, on the console and as a file.
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "stats/tulostastats.h"

#include <ostream>

namespace vt {

void naytaKaikki(Tila &t) {
    tulostaStats(t.ulos(), t.levelit, t.asetukset, false, t.pistetaulukko, t.ulos(), t.kello);
}

void tallennaStats(Tila &t) {
    tallennaDialogilla(
        t, {".txt", TULOSTIEDOSTO_ALKU}, [](const std::string &) {},
        [&](std::ostream &out) {
            tulostaStats(out, t.levelit, t.asetukset, true, t.pistetaulukko, t.ulos(), t.kello,
                         nullptr, &t.totalit);
        });
}

} // namespace vt
