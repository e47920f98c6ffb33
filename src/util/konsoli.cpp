#include "util/konsoli.h"

#include "util/teksti.h"

#include <climits>
#include <istream>
#include <ostream>
#include <unistd.h>

namespace vt {

const std::string APU_VIRHE1 = "Selection has to be ";
const std::string APU_VIRHE2 = "Selection has to be in range ";

std::string Konsoli::lueRivi() {
    std::string rivi;
    if (!std::getline(sisaan_, rivi))
        throw SyoteLoppui{};
    return rivi;
}

void Konsoli::kehota(const std::string &teksti) {
    ulos_ << teksti;
    ulos_.flush();
}

void tyhjennaruutu(Konsoli &k) {
    if (k.terminaali()) {
        k.ulos() << "\x1b[H\x1b[2J";
        k.ulos().flush();
    }
}

void tauko(Konsoli &k) {
    k.kehota("Press Enter to continue . . . ");
    k.lueRivi();
}

void taukotaiei(Konsoli &k, bool tauotaanko) {
    if (tauotaanko)
        tauko(k);
}

namespace {
// Reads an unsigned number from the start of the line as stream extraction would;
// a value too large for 32 bits saturates, so it is reported as out of range.
bool lueLuku(const std::string &rivi, unsigned long long &arvo) {
    size_t i = 0;
    while (i < rivi.size() && onValilyonti(rivi[i]))
        ++i;
    bool negatiivinen = false;
    if (i < rivi.size() && (rivi[i] == '+' || rivi[i] == '-')) {
        negatiivinen = rivi[i] == '-';
        ++i;
    }
    if (i >= rivi.size() || rivi[i] < '0' || rivi[i] > '9')
        return false;
    unsigned long long v = 0;
    while (i < rivi.size() && rivi[i] >= '0' && rivi[i] <= '9') {
        v = v * 10 + static_cast<unsigned>(rivi[i] - '0');
        if (v > UINT_MAX)
            v = static_cast<unsigned long long>(UINT_MAX) + 1;
        ++i;
    }
    if (negatiivinen && v != 0)
        v = static_cast<unsigned long long>(UINT_MAX) + 1;
    arvo = v;
    return true;
}
} // namespace

unsigned kysyluku(Konsoli &k, const std::string &kehote, unsigned min, unsigned max, bool oletus) {
    for (;;) {
        k.kehota(kehote);
        std::string rivi = k.lueRivi();
        bool annettu = false;
        unsigned long long vastaus = 0;
        if (oletus && onkotyhja(rivi)) {
            vastaus = max;
            annettu = true;
        }
        unsigned long long luku = 0;
        if (lueLuku(rivi, luku)) {
            vastaus = luku;
            annettu = true;
        }
        if (annettu && (vastaus < min || vastaus > max)) {
            if (min == max)
                k.ulos() << APU_VIRHE1 << max << ".\n";
            else
                k.ulos() << APU_VIRHE2 << min << " - " << max << ".\n";
            annettu = false;
        }
        if (annettu)
            return static_cast<unsigned>(vastaus);
    }
}

bool tulosteOnTerminaali() { return isatty(STDOUT_FILENO) != 0; }

} // namespace vt
