#pragma once
#include <string>

namespace vt {

// The build gives the version number (the project's, shared with the package).
inline const std::string VERSION = std::string("Vaskitaulu v. ") + VASKITAULU_VERSIO;

} // namespace vt
