#pragma once
// The program's two arguments.
#include <iosfwd>
#include <optional>

namespace vt {

// --help and --version are answered here; any other argument is an error. Gives the exit
// status when the program should end without starting the menu.
std::optional<int> kasitteleArgumentit(int argc, const char *const *argv, std::ostream &out,
                                       std::ostream &virheet);

} // namespace vt
