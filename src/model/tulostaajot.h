#pragma once
// The runs of one level as the writers list them, computed apart from their layout.
#include "model/aika.h"
#include "model/ajo.h"
#include "model/tulostusasetukset.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace vt {

class Level;

// The stat file lists at most this many runs of a level unless all times are asked for.
inline constexpr std::size_t AJOJA_ENINTAAN = 10;

struct LevelinAjot {
    // The single player or the multiplayer runs, best first; one a name with "only best".
    std::vector<Ajo> ajot;
    // How many of them the stat file lists: all, or the first AJOJA_ENINTAAN.
    std::size_t listattavia = 0;
    // The average of all the runs (not only those listed), when the options ask for it: with
    // one name "if only one player", with several "if more than one player"; never for one run.
    std::optional<Aika> keskiarvo;
};

LevelinAjot laskeLevelinAjot(const Level &level, const Tulostusasetukset &options, bool multi);

} // namespace vt
