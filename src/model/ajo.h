#pragma once
#include "model/aika.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

// One run of one player (or of a multiplayer pair, whose names are separated by commas).
struct Ajo {
    Aika aika;
    std::string nimi;
    bool uusi = false;
    std::uint32_t pisteet = 0;
    bool ladattu = false;
    bool tarkistettu = false;
    bool rekisteroity = false;
    bool hyvaksytty = false;
    std::vector<std::string> recit;
    std::string rekisteroityNimi;

    bool multiplayer() const { return nimi.find(',') != std::string::npos; }
};

} // namespace vt
