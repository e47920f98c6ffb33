// The one place that asks utf8proc about characters.
#include "util/nayttoleveys.h"

#include <utf8proc.h>

namespace vt {

namespace {

bool onAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Calls `merkki` with each code point of `s` from its first multibyte sequence on; false at
// the first invalid sequence.
template <class F> bool kayMerkit(std::string_view s, F merkki) {
    const auto *p = reinterpret_cast<const utf8proc_uint8_t *>(s.data());
    auto jaljella = static_cast<utf8proc_ssize_t>(s.size());
    while (jaljella > 0) {
        if (*p < 0x80) {
            merkki(static_cast<utf8proc_int32_t>(*p));
            ++p;
            --jaljella;
            continue;
        }
        utf8proc_int32_t koodi = -1;
        const utf8proc_ssize_t n = utf8proc_iterate(p, jaljella, &koodi);
        if (n <= 0 || koodi < 0)
            return false;
        merkki(koodi);
        p += n;
        jaljella -= n;
    }
    return true;
}

} // namespace

bool onUtf8(std::string_view s) {
    return kayMerkit(s, [](utf8proc_int32_t) {});
}

std::size_t naytonLeveys(std::string_view s) {
    if (onAscii(s))
        return s.size();
    std::size_t leveys = 0;
    const bool utf8 = kayMerkit(s, [&](utf8proc_int32_t koodi) {
        // A control byte counts as one, as it does when texts are counted by bytes.
        leveys += koodi < 0x80 ? 1 : static_cast<std::size_t>(utf8proc_charwidth(koodi));
    });
    return utf8 ? leveys : s.size();
}

} // namespace vt
