#pragma once
// Line editing at the prompts when a person types at a terminal.
#include "util/konsoli.h"

namespace vt {

// When standard input and output are both terminals, answers are read through a line editor:
// cursor keys, the run's earlier answers as history, and file name completion (Tab) at the
// questions for a file name. Piped or redirected input is left to the console as it is.
void asennaRivieditori(Konsoli &konsoli);

} // namespace vt
