#include "util/kello.h"

#include "util/teksti.h"

#include <ctime>
#include <sstream>

namespace vt {

Kello jarjestelmanKello() {
    return [] {
        std::time_t nyt = std::time(nullptr);
        const char *t = std::ctime(&nyt);
        return t ? std::string(t) : std::string();
    };
}

namespace {
struct KelloKentat {
    std::string viikonpaiva, kuukausi, aika;
    unsigned paiva = 0, vuosi = 0;
};

bool lueKentat(const Kello &kello, KelloKentat &k) {
    std::istringstream in(kello ? kello() : std::string());
    return static_cast<bool>(in >> k.viikonpaiva >> k.kuukausi >> k.paiva >> k.aika >> k.vuosi);
}
} // namespace

std::string haePvm(const Kello &kello, bool numeerinen) {
    KelloKentat k;
    if (!lueKentat(kello, k))
        return "";
    static const char *const nimet[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    unsigned kk = 0;
    for (unsigned i = 0; i < 12; ++i)
        if (k.kuukausi == nimet[i])
            kk = i + 1;
    if (kk == 0)
        return "";
    if (numeerinen)
        return int2string(k.paiva) + "." + int2string(kk) + "." + int2string(k.vuosi);
    return int2string(k.paiva) + " " + k.kuukausi + " " + int2string(k.vuosi);
}

std::string haeKello(const Kello &kello) {
    KelloKentat k;
    if (!lueKentat(kello, k))
        return "";
    return k.aika;
}

} // namespace vt
