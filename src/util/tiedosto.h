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

} // namespace vt
