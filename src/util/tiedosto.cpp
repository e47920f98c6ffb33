#include "util/tiedosto.h"

#include <fstream>

namespace vt {

Kirjoitus kirjoitaTiedostoon(const std::string &nimi,
                             const std::function<void(std::ostream &)> &kirjoita) {
    std::ofstream out(nimi, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return Kirjoitus::EiAukea;
    kirjoita(out);
    out.flush();
    bool ok = static_cast<bool>(out);
    out.close();
    ok = ok && !out.fail();
    return ok ? Kirjoitus::Onnistui : Kirjoitus::Epaonnistui;
}

} // namespace vt
