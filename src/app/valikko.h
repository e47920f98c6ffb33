#pragma once
#include "app/tila.h"

namespace vt {

// Start-up and the menu loop; returns the exit status.
int ajaOhjelma(Tila &t);

} // namespace vt
