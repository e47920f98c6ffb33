// Any bytes as the options file or the cup points file: never a failure, and no stored
// value beyond the clamp of 1000 points.
#include "model/sivutiedostot.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string teksti(reinterpret_cast<const char *>(data), size);
    std::istringstream a(teksti);
    vt::Tulostusasetukset asetukset;
    vt::lueAsetukset(a, asetukset);

    std::istringstream p(teksti);
    std::vector<unsigned> taulukko;
    vt::luePisteet(p, taulukko);
    for (unsigned v : taulukko)
        if (v > 1000u * 2520u)
            std::abort();
    return 0;
}
