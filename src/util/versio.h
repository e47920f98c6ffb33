#pragma once
#include <string>

namespace vt {

inline const std::string VERSION = "Vaskitaulu v. 1.6";

} // namespace vt
