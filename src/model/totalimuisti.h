#pragma once
// The totals of a collection, counted once for the writers of a session that ask for the same:
// the stat file and the page count the same totals, and so do the standings of players and of
// teams. The memo keeps the rows of the last count together with an exact copy of everything
// that count read (every run's name, time and mark, the two options that matter and the cup
// points table), and serves them only when the collection and settings asked for are the same
// byte for byte; any change, by any command, makes a new count. One count is kept.
#include "model/level.h"
#include "model/pelaaja.h"
#include "model/tulostusasetukset.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vt {

class TotaliMuisti {
  public:
    struct Tulos {
        std::vector<Pelaaja> rivit;
        std::size_t cupPituus = 0;
    };

    // The result of counting the first `levelLkm` levels with these settings: the one kept,
    // when it was counted from the same, else `laske()`, which is then kept.
    const Tulos &hae(const std::vector<Level> &levels, std::size_t levelLkm,
                     const Tulostusasetukset &options, const std::vector<unsigned> &cupTaulukko,
                     bool cup, const std::function<Tulos()> &laske);

  private:
    std::string leima_; // what the kept count read, in bytes
    Tulos tulos_;
    bool kaytossa_ = false;
};

} // namespace vt
