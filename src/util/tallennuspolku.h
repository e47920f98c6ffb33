#pragma once
// The one way an output is saved: the name chosen (a free name proposed, or the one typed),
// overwriting confirmed, the file made sure of before the command's own questions, written
// through the command's writer and the outcome told. The menu's saving commands go through
// `Tallennus`; the batch commands through `kirjoitaTuloste`.
#include "util/konsoli.h"
#include "util/syote.h"
#include "util/tiedosto.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

namespace vt {

// The first of `alku`01`paate` to `alku`99`paate` that `varattu` does not call taken;
// `alku``paate` when all ninety-nine are.
std::string vapaaNimi(const std::string &alku, const std::string &paate,
                      const std::function<bool(const std::string &)> &varattu = nimiVarattu);

// How the outcome of a save is told.
struct Tallennusraportti {
    // "File X saved successfully. " after a good write; off where the command tells it itself.
    bool kerroOnnistuminen = true;
    // A file that did not open at the time of writing is told as "Output file couldn't be
    // made. ", a pause and "Saving file X failed. " instead of "Can't open file X".
    bool eiSyntynytTauolla = false;
};

// One save from the console, step by step. Failures are told on the stream `virhe` gives (it
// may note that the session met a failed file), the rest on the console.
class Tallennus {
  public:
    Tallennus(Konsoli &konsoli, std::function<std::ostream &()> virhe)
        : konsoli_(konsoli), virhe_(std::move(virhe)) {}

    // "Give the file name: (default: `ehdotus`): "; a blank answer takes the proposal, a name
    // without "." gets `paate`. False, after "Saving cancelled.", when the name is taken and
    // the user will not overwrite it.
    bool kysyNimi(const std::string &ehdotus, const std::string &paate);
    // The name changed after it was asked (the command's form chose another); a changed name
    // that is taken is confirmed again. False when the user will not overwrite it.
    bool vaihdaNimi(const std::string &uusi);
    // Makes sure of the file before the questions about it: a new one is created exclusively, an
    // existing one only checked to open for writing. A link to nothing is followed only under
    // the very name the user typed. False, after "Can't open file X", when it will not do.
    bool varaa();
    // The command's questions; when the input ends during them, only a file that `varaa`
    // created is removed, and the end of input goes on.
    void kysy(const std::function<void()> &kysymykset);
    // Writes the file through `kirjoittaja` (emptied first, in place) and tells the outcome; true
    // when every byte reached the file.
    bool kirjoita(const std::function<void(std::ostream &)> &kirjoittaja,
                  const Tallennusraportti &raportti = {});

    const std::string &nimi() const { return nimi_; }
    // True when the user typed the name rather than took the proposal.
    bool kirjoitettu() const { return kirjoitettu_; }

  private:
    bool saaKorvata();

    Konsoli &konsoli_;
    std::function<std::ostream &()> virhe_;
    std::string nimi_;
    bool kirjoitettu_ = false;
    bool vaihdettu_ = false;
    std::optional<TulosteenVaraus> varaus_;
};

// The whole dialogue of a command that asks its questions once the file is made sure of:
// the name, `kysymykset` about it, then `kirjoita` and the report. True when the file was
// written.
bool tallennaDialogilla(Konsoli &konsoli, const std::function<std::ostream &()> &virhe,
                        const std::string &ehdotus, const std::string &paate,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita);

// Writes a batch output that is not standard output: a regular file or a new name is replaced
// whole (util/tiedosto's replacer), anything else that is not a folder (a device, a pipe) is
// written directly. When it fails, `virhenumero` tells why (an errno value; EACCES when the
// file was refused for being read-only or no file could be made beside it).
Kirjoitus kirjoitaTuloste(const std::string &nimi,
                          const std::function<void(std::ostream &)> &kirjoita, int &virhenumero);

} // namespace vt
