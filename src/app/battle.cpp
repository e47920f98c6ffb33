// Battles: option 1 for channel logs.
#include "app/tila.h"
#include "app/vakiot.h"
#include "battle/battlet.h"

#include <fstream>
#include <sstream>

namespace vt {

void lueBattleLoki(Tila &t, const std::string &nimi) {
    std::vector<Nickit> nickit;
    {
        std::ifstream in(NIMITIEDOSTO, std::ios::binary);
        if (in.is_open())
            lueNimiTiedosto(in, nickit);
    }
    std::ifstream loki(nimi, std::ios::binary);
    // A log that does not open reads as an empty one.
    std::istringstream tyhja;
    Sarjakisa kisa(t.konsoli, t.levelit, t.uusiOletus, std::move(nickit));
    if (loki.is_open())
        kisa.lue(loki);
    else
        kisa.lue(tyhja);
}

} // namespace vt
