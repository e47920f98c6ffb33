#pragma once
// The command line: --help, --version and the batch commands.
#include <iosfwd>
#include <optional>

namespace vt {

// Parses the arguments and runs what they ask for. Gives the exit status when the program
// should end without starting the menu, nothing when there are no arguments.
std::optional<int> kasitteleArgumentit(int argc, const char *const *argv, std::ostream &out,
                                       std::ostream &virheet);

} // namespace vt
