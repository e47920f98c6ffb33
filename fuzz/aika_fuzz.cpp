// Any bytes as a time text, in the three ways the readers look at one: a result is a time or
// an apple count, never both, and its text form reads back as the same result.
#include "model/aika.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string teksti(reinterpret_cast<const char *>(data), size);
    for (const auto &[sanat, viimeinen] : {std::pair{true, false}, {true, true}, {false, false}}) {
        vt::Aika a;
        const bool loytyi = a.etsiaika(teksti, sanat, viimeinen);
        if (loytyi != !a.nolla())
            std::abort();
        if (a.onAika() && a.omenat != 0)
            std::abort();
        if (a.sekunnit > 59 || a.sadasosat > 99)
            std::abort();
        // What is printed reads back (minutes beyond an hour are printed with an hours field
        // that the time reader does not take).
        if (a.onAika() && a.minuutit < 60) {
            vt::Aika b(a.str());
            if (!(b == a))
                std::abort();
        }
    }
    return 0;
}
