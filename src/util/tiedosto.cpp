#include "util/tiedosto.h"

#include "util/syote.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

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

bool korvaaTiedosto(const std::string &nimi, const std::string &sisalto) {
    const std::string valiaikainen = nimi + ".tmp";
    const Kirjoitus k =
        kirjoitaTiedostoon(valiaikainen, [&](std::ostream &out) { out << sisalto; });
    // What is in the way under the temporary name was not made here and stays.
    if (k == Kirjoitus::EiAukea)
        return false;
    std::error_code virhe;
    if (k == Kirjoitus::Onnistui) {
        std::filesystem::rename(valiaikainen, nimi, virhe);
        if (!virhe)
            return true;
    }
    std::filesystem::remove(valiaikainen, virhe);
    return false;
}

bool voiKirjoittaa(const std::string &nimi) {
    namespace fs = std::filesystem;
    std::error_code virhe;
    if (fs::is_directory(nimi, virhe))
        return false;
    if (fs::exists(nimi, virhe)) {
        std::ofstream koe(nimi, std::ios::binary | std::ios::app);
        return koe.is_open();
    }
    const fs::path kansio = fs::path(nimi).parent_path();
    return kansio.empty() || fs::is_directory(kansio, virhe);
}

bool voiLukea(const std::string &nimi) {
    // Found without opening it, so that a FIFO never blocks; only a regular file reads.
    return katsoTiedosto(nimi) == Avaus::Auki;
}

std::string lueTiedosto(const std::string &nimi) {
    if (!voiLukea(nimi))
        return "";
    std::ifstream in(nimi, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace vt
