#pragma once
// Date and clock texts from a ctime-style clock text, so that tests can fix the time.
#include <functional>
#include <string>

namespace vt {

// Gives the current time as the C library's ctime text ("Wed Dec 06 18:48:00 2006\n").
using Kello = std::function<std::string()>;

Kello jarjestelmanKello();
std::string haePvm(const Kello &kello, bool numeerinen);
std::string haeKello(const Kello &kello);

} // namespace vt
