#pragma once
// Reading stat files (the game's, this program's own, its HTML pages and one-level cup tables).
#include "model/level.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// The line that opens the data copy in the closing comment of an HTML page.
inline const char *const HTML_KOPION_ALKU =
    "These times are for vaskitaulu -program so that it could read this file correctly.";

// A line of a stat file is at most this long; a longer one is read as an empty line.
inline constexpr std::size_t STATRIVIN_KATTO = 64u << 20;

std::string etsiLevel(const std::string &rivi);
std::string etsiPelaaja(const std::string &rivi, bool tulosMoodi);
// Merges every level block of the stream into `levelit`; new levels are reported on `konsoli`.
void lueStats(std::istream &in, std::vector<Level> &levelit, bool uusi, std::ostream &konsoli);

} // namespace vt
