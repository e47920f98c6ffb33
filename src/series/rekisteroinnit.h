#pragma once
// Registrations for an event: "REGISTER name [team] (nationality)" lines said in the channel
// mark the runs of the speaking player, and keep the players file and the nationalities file.
#include "battle/lokirivi.h"
#include "model/level.h"
#include "util/tiedosto.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vt {

// One nationality group of the nationalities file: ":FIN john_smith mika".
struct Nationality {
    std::vector<Pelaaja> jasenet;
    std::string nimi;
};

// The nationalities file in memory. Moving a name costs what its entries in the file cost; the
// text is made once, when the file is written. The contents are at every moment what reading
// the file written after each move would give: the first move merges the groups of one name
// into the first of them, and a group left without members is gone (a later member of that
// nationality opens a new group at the end).
class Kansallisuustiedosto {
  public:
    explicit Kansallisuustiedosto(const std::string &sisalto);
    // Moves `nimi` to the group `kansallisuus`: nothing when it is there already (in the last
    // group that holds it), otherwise whether it was in the file before.
    std::optional<bool> siirra(const std::string &nimi, const std::string &kansallisuus);
    bool muuttunut() const { return muuttunut_; }
    // The file as it is written: one line per group with members; unchanged, as it was read.
    std::string teksti() const;

  private:
    struct Jasen {
        std::string nimi;
        bool poistettu = false;
    };
    struct Ryhma {
        std::string nimi;
        std::vector<Jasen> jasenet;
        size_t elossa = 0; // members not removed
    };
    void yhdista();
    void indeksoi();

    std::string raaka_;
    bool muuttunut_ = false;
    bool yhdistetty_ = false;
    std::vector<Ryhma> ryhmat_; // in file order
    // Every entry of a name: (group, member) places.
    std::unordered_map<std::string, std::vector<std::pair<size_t, size_t>>> paikat_;
    // Once merged: the group of each nationality that still has members.
    std::unordered_map<std::string, size_t> nimella_;
};

// The players file in memory: one registration line per player, in file order.
class Pelaajatiedosto {
  public:
    Pelaajatiedosto(const std::string &sisalto, const std::vector<Nickit> &nickit);
    // Drops the lines of `nick` and appends `rivi`; true when there were any.
    bool korvaa(const std::string &nick, const std::string &rivi);
    bool muuttunut() const { return muuttunut_; }
    // The file as it is written: every kept line and one empty line; unchanged, as it was read.
    std::string teksti() const;

  private:
    struct Rivi {
        std::string teksti;
        bool poistettu = false;
    };
    std::string raaka_;
    bool muuttunut_ = false;
    std::vector<Rivi> rivit_;
    std::unordered_map<std::string, std::vector<size_t>> nickilla_;
};

// Where the two side files are read from and written to.
struct Sivutiedostot {
    Sivutiedostot(std::string pelaajat_, std::string kansallisuudet_,
                  std::function<std::string(const std::string &)> lue_,
                  std::function<bool(const std::string &, const std::string &)> kirjoita_,
                  std::function<OmaTiedosto(const std::string &)> lueOma_ = {})
        : pelaajat(std::move(pelaajat_)), kansallisuudet(std::move(kansallisuudet_)),
          lue(std::move(lue_)), kirjoita(std::move(kirjoita_)), lueOma(std::move(lueOma_)) {}
    std::string pelaajat;       // one registration line per player
    std::string kansallisuudet; // registered names by nationality
    // The contents of a file; a missing file reads as empty.
    std::function<std::string(const std::string &nimi)> lue;
    // Replaces the contents; false when the file could not be rewritten (it then keeps what
    // it had).
    std::function<bool(const std::string &nimi, const std::string &sisalto)> kirjoita;
    // When given, used instead of `lue`: tells a missing file from one that is there but cannot
    // be read, which is then never rewritten.
    std::function<OmaTiedosto(const std::string &nimi)> lueOma;
};

// One reading pass of the event's files: the side files are read once, when first needed, changed
// in memory by every registration read during the pass, and written once when it ends. The console
// lines of the pass are held until then, so that a line saying that a file was updated is
// printed only when the file was written (otherwise "Saving file X failed. " stands in its
// place).
class Rekisterointikierros {
  public:
    Rekisterointikierros(const Sivutiedostot &tiedostot, const std::vector<Nickit> &nickit);
    // The console of the pass, for the other readers of the pass.
    std::ostream &ulos() { return auki_; }
    // Reads the registration lines of `in` into the level. When `in` is the players file
    // itself, the players file is not rewritten.
    void lue(Level &level, std::istream &in, bool onPelaajatiedosto);
    // Reads the players file as it stands in memory (the registrations of this pass included).
    void luePelaajatiedosto(Level &level);
    // Writes the changed side files and prints the console lines of the pass.
    void paata(std::ostream &konsoli);

  private:
    enum Tiedosto { PELAAJAT, KANSALLISUUDET };
    struct Kohta {
        std::string teksti;
        int tiedosto = -1; // an update of that file, or plain text
    };
    void sulje();
    void paivitetty(Tiedosto t, const std::string &nick, bool paivitetty);
    // Reads the file when first needed; false (with one console line in the pass) when it is
    // there but could not be read, and is then left alone.
    bool kaytettavissa(Tiedosto t);

    Sivutiedostot tiedostot_;
    const std::vector<Nickit> &nickit_;
    std::optional<Pelaajatiedosto> pelaajat_;
    std::optional<Kansallisuustiedosto> kansallisuudet_;
    bool luettu_[2] = {false, false};
    std::vector<Kohta> kohdat_;
    std::ostringstream auki_;
};

// Reads the registration lines of `in` into the level as one pass of its own.
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
