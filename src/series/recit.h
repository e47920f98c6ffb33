#pragma once
// Replays of an event: the links players post of their runs' replays, and the checked-times
// file that tells each replay's real time.
#include "battle/lokirivi.h"
#include "model/level.h"

#include <iosfwd>
#include <vector>

namespace vt {

// Marks uploaded the runs of every player of the level who posted a replay link.
void readUploadedRecs(Level &level, std::istream &in, const std::vector<Nickit> &nickit,
                      std::ostream &konsoli);

// Marks checked the runs whose uploaded replay's real time is below the claimed time plus two
// hundredths. Lines: replay name, level name or part of it, "s" or "m", real time.
void tarkistaReccienOikeatAjat(Level &level, std::istream &in, std::ostream &konsoli);

} // namespace vt
