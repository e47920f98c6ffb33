#pragma once
// The two side files read at start-up: the print options and the cup points per place.
#include "model/tulostusasetukset.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// Replaces all ten options only when the whole file is valid; returns whether it was.
bool lueAsetukset(std::istream &in, Tulostusasetukset &asetukset);
// Reads points per place (stored x CUP_YKSIKKO); returns true when a value had to be clamped.
bool luePisteet(std::istream &in, std::vector<unsigned> &taulukko);
std::vector<unsigned> oletusPisteet();

// The same from the files of these names. Both are optional: a file that is missing, cannot be
// read or is not a regular file (a FIFO, a device) is passed over silently.
void lueAsetustiedosto(const std::string &nimi, Tulostusasetukset &asetukset);
bool luePistetiedosto(const std::string &nimi, std::vector<unsigned> &taulukko);

} // namespace vt
