#pragma once
// Cup points: every place's points are kept as whole multiples of 1/CUP_YKSIKKO point. 2520 is
// divisible by every count from 1 to 10, so points shared by up to ten tied finishers stay whole.

namespace vt {

inline constexpr unsigned CUP_YKSIKKO = 2520;

// A team scores in a level the points of this many of its best members.
inline constexpr unsigned TIIMIN_PARHAAT = 3;

} // namespace vt
