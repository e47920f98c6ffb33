#pragma once
// The menu's side of the saving dialogue of options 10 to 16; the dialogue itself is
// util/tallennuspolku.
#include "app/tila.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace vt {

class Tallennus;

// The kind of file a command saves: the extension added to a name without one and the stem
// of the proposed free names (stem01 to stem99).
struct Tiedostolaji {
    std::string paate;
    std::string alku;
};

// False, after "No levels.", when there is nothing to save.
bool onLeveleita(Tila &t);

// A save on the menu's console; a failure it tells counts as a failed file of the session.
Tallennus menunTallennus(Tila &t);

// The whole dialogue with the first free name of `laji` proposed: the name, a check that the
// file opens (without emptying it; a new file is created), the command's own `kysymykset` about
// that name, then `kirjoita` and the report of the outcome. When the input ends during the
// questions, only a file the dialogue created itself is removed.
void tallennaDialogilla(Tila &t, const Tiedostolaji &laji,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita);

} // namespace vt
