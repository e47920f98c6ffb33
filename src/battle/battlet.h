#pragma once
// Battles read from an IRC channel log: each battle becomes a level whose runs are the
// players' results, ranked.
#include "battle/lokirivi.h"
#include "model/level.h"
#include "util/konsoli.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vt {

// The reading pass over one log. Asks first for a level name: with one, the log is searched
// for that level's battle, its results are shown for review and the next name is asked; with
// none, every battle of the log is added without questions.
class Sarjakisa {
  public:
    Sarjakisa(Konsoli &konsoli, std::vector<Level> &levelit, bool uusi, std::vector<Nickit> nickit)
        : konsoli_(konsoli), levelit_(levelit), uusi_(uusi), nickit_(std::move(nickit)) {}

    // Reads the whole log; it is read again from its start for every level asked.
    void lue(std::istream &loki);

  private:
    void kasitteleRivi(const std::string &rivi, bool lopussa, std::istream &loki);
    void suljeBattle(const std::string &rivi, std::istream &loki);
    bool kysySeuraava(std::istream &loki);

    Konsoli &konsoli_;
    std::vector<Level> &levelit_;
    bool uusi_;
    std::vector<Nickit> nickit_;

    std::string levelNimi_; // the asked name; while a battle is open, the name of its link
    bool automaatti_ = false;
    bool kaynnissa_ = false;
    bool loytyi_ = false;
    bool valmis_ = false;
    std::string ehdokas_; // the last speaker, or the name of the last "by" line
    std::string tekija_;
    std::string alkuaika_;
    unsigned byLaskuri_ = 0;
    std::vector<Ajo> ajot_;
    unsigned numero_ = 1;
    Date date_;
};

// Asks "Give the n. level name ..."; true when a name was given.
bool kysySeuraavaKentta(Konsoli &konsoli, unsigned numero, std::string &levelNimi);

// Makes one battle a level of the collection, or merges it into one of the last levels of
// the same name: the last result of each nick counts, ranked best first.
void laskeBattle(std::vector<Ajo> &ajot, const std::string &levelNimi, const std::string &tekija,
                 const std::string &alku, const std::string &loppu, std::vector<Level> &levelit,
                 bool uusi, const Date &date);

// The battle's length in minutes from its "HH:MM" start and end, over midnight too; 0 when
// unknown or outside 2 to 50 minutes.
unsigned battlenPituus(const std::string &alku, const std::string &loppu);

// The review of the results found: runs removed by number, runs added by hand.
void naytaajotruudulla(Konsoli &konsoli, std::vector<Ajo> &ajot);

} // namespace vt
