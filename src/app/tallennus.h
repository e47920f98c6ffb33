#pragma once
// The saving dialogue of options 10 to 16.
#include "app/tila.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace vt {

// The kind of file a command saves: the extension added to a name without one and the stem
// of the proposed free names (stem01 to stem99).
struct Tiedostolaji {
    std::string paate;
    std::string alku;
};

// False, after "No levels.", when there is nothing to save.
bool onLeveleita(Tila &t);

// Proposes the first free name, asks for one and confirms overwriting an existing file.
// Gives the name, or nothing when the user cancelled; the file is not touched. `kirjoitettu`,
// when given, tells whether the user typed the name rather than took the proposal.
std::optional<std::string> kysyTallennusnimi(Tila &t, const Tiedostolaji &laji,
                                             bool *kirjoitettu = nullptr);

// The whole dialogue: the name, a check that the file opens (without emptying it; a new file
// is created), the command's own `kysymykset` about that name, then `kirjoita` and the report
// of the outcome. When the input ends during the questions, only a file the dialogue created
// itself is removed.
void tallennaDialogilla(Tila &t, const Tiedostolaji &laji,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita);

} // namespace vt
