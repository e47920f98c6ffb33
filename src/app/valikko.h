#pragma once
#include "app/tila.h"

namespace vt {

// Start-up and the menu loop; returns the exit status.
int ajaOhjelma(Tila &t);

// The print options from a config file; the defaults when it is missing or not valid as a
// whole. Returns whether the file set them.
bool lueAsetustiedosto(const std::string &nimi, Tulostusasetukset &asetukset);
// The cup points from a points file, the default table when it gives none; returns true when
// a value was out of range.
bool luePistetiedosto(const std::string &nimi, std::vector<unsigned> &pistetaulukko);

} // namespace vt
