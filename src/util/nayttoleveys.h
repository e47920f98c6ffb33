#pragma once
// The width a text takes on a screen. Names come from two worlds: the game's own files are
// 8-bit text, today's channel logs UTF-8; only a text that is valid UTF-8 and holds a
// multibyte character is measured by characters, any other by bytes.
#include <cstddef>
#include <string_view>

namespace vt {

// True when `s` is valid UTF-8 (no stray, overlong or surrogate sequences); ASCII is.
bool onUtf8(std::string_view s);

// The columns `s` fills: for valid UTF-8 with a byte from 0x80 up, each character's display
// width (East Asian wide characters two, combining marks none, every ASCII byte one);
// otherwise its length in bytes.
std::size_t naytonLeveys(std::string_view s);

} // namespace vt
