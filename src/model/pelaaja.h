#pragma once
#include "model/aika.h"
#include "model/harvalista.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

// One row of a totals, cup or battle table: a player or a team.
struct Pelaaja {
    Aika totalAika;
    std::string nimi;
    unsigned levelienLkm = 0;
    unsigned parhaidenLkm = 0;
    std::vector<unsigned> parhaatLevelit;
    // The points of each level counted, as a full list (a table of one level) or as a sparse
    // one (a table of all levels).
    std::vector<unsigned> cupPisteet;
    HarvaLista cupHarva;
    bool tiimi = false;
    bool uusiAika = false;
    unsigned battlePisteet = 0;
    unsigned battleja = 0;
    unsigned leveleita = 0;
    Aika voittoajat;
    unsigned sijoitus = 0;
    unsigned pelaajiaYhteensa = 0;
    unsigned pisinVoittoputki = 0, voittoputki = 0, pisinVoittoputkiAlku = 0, voittoputkiAlku = 0;
    unsigned pisinLevelputki = 0, levelputki = 0, pisinLevelputkiAlku = 0, levelputkiAlku = 0;
    std::vector<unsigned> pituudet;

    // The name without its team tag.
    std::string pelkkaNimi() const;
};

// The team of a player name: the text between the first "[" and the first "]", when both
// exist in that order; false when the name has no team.
bool tiiminNimi(const std::string &nimi, std::string &tiimi);

} // namespace vt
