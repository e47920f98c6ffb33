#pragma once
// Registrations for an event: "REGISTER name [team] (nationality)" lines said in the channel
// mark the runs of the speaking player, and keep the players file and the nationalities file.
#include "battle/lokirivi.h"
#include "model/level.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vt {

// One nationality group of the nationalities file: ":FIN john_smith mika".
struct Nationality {
    std::vector<Pelaaja> jasenet;
    std::string nimi;
};

// The two side files the registrations keep, read and rewritten whole by the caller.
struct Sivutiedostot {
    std::string pelaajat;       // one registration line per player
    std::string kansallisuudet; // registered names by nationality
    // The contents of a file; a missing file reads as empty.
    std::function<std::string(const std::string &nimi)> lue;
    // Replaces the contents; false when the file could not be rewritten (it then keeps what
    // it had).
    std::function<bool(const std::string &nimi, const std::string &sisalto)> kirjoita;
};

// Reads the registration lines of `in` into the level. When `in` is the players file itself,
// the players file is not rewritten.
void lueRekisteroinnit(Level &level, std::istream &in, bool onPelaajatiedosto,
                       const std::vector<Nickit> &nickit, const Sivutiedostot &tiedostot,
                       std::ostream &konsoli);

// The nationalities file with `nimi` moved to the group `kansallisuus`, or nothing when it is
// there already. `loytyi` tells whether the name was in the file before.
std::optional<std::string> siirraKansallisuuteen(const std::string &tiedosto,
                                                 const std::string &nimi,
                                                 const std::string &kansallisuus, bool &loytyi);

// The players file with the lines of `nick` replaced by `rivi`; `korvattu` tells whether there
// were any.
std::string korvaaPelaajanRivi(const std::string &tiedosto, const std::string &nick,
                               const std::string &rivi, const std::vector<Nickit> &nickit,
                               bool &korvattu);

} // namespace vt
