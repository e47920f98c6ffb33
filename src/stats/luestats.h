#pragma once
// Reading stat files (the game's, this program's own, its HTML pages and one-level cup tables).
#include "model/level.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

std::string etsiLevel(const std::string &rivi);
std::string etsiPelaaja(const std::string &rivi, bool tulosMoodi);
// Merges every level block of the stream into `levelit`; new levels are reported on `konsoli`.
void lueStats(std::istream &in, std::vector<Level> &levelit, bool uusi, std::ostream &konsoli);

} // namespace vt
