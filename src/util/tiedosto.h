#pragma once
// Writing a whole output file and knowing whether every byte reached it.
#include <functional>
#include <iosfwd>
#include <string>

namespace vt {

enum class Kirjoitus { EiAukea, Onnistui, Epaonnistui };

// Empties the file, lets `kirjoita` fill it and reports success only when every write and
// the final close succeeded.
Kirjoitus kirjoitaTiedostoon(const std::string &nimi,
                             const std::function<void(std::ostream &)> &kirjoita);

// Rewrites a file through a temporary file in the same folder renamed over it, so that a
// failed write leaves the old contents in place. Returns whether the file now holds `sisalto`.
bool korvaaTiedosto(const std::string &nimi, const std::string &sisalto);

// The whole contents of a file; a file that does not open reads as empty.
std::string lueTiedosto(const std::string &nimi);

// True when a file of the name could be written: an existing file that opens for writing, or
// a new name in an existing folder. Nothing is created or emptied.
bool voiKirjoittaa(const std::string &nimi);

// True when the name is a file that opens for reading (a folder is not).
bool voiLukea(const std::string &nimi);

} // namespace vt
