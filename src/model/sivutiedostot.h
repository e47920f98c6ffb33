#pragma once
// The two side files read at start-up: the print options and the cup points per place.
#include "model/tulostusasetukset.h"

#include <iosfwd>
#include <vector>

namespace vt {

// Replaces all ten options only when the whole file is valid; returns whether it was.
bool lueAsetukset(std::istream &in, Tulostusasetukset &asetukset);
// Reads points per place (stored x CUP_YKSIKKO); returns true when a value had to be clamped.
bool luePisteet(std::istream &in, std::vector<unsigned> &taulukko);
std::vector<unsigned> oletusPisteet();

} // namespace vt
