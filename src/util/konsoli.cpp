#include "util/konsoli.h"

#include "util/teksti.h"

#include <climits>
#include <csignal>
#include <istream>
#include <ostream>
#include <unistd.h>

namespace vt {

const std::string APU_VIRHE1 = "Selection has to be ";
const std::string APU_VIRHE2 = "Selection has to be in range ";

std::string Konsoli::lueRivi() {
    if (lukija_) {
        // Only the prompt's last line stands on the line the reader edits.
        const size_t rivinvaihto = kehote_.rfind('\n');
        if (rivinvaihto != std::string::npos) {
            ulos_ << kehote_.substr(0, rivinvaihto + 1);
            kehote_.erase(0, rivinvaihto + 1);
        }
        ulos_.flush();
        std::string kehote;
        kehote.swap(kehote_);
        std::optional<std::string> rivi = lukija_(kehote);
        if (!rivi)
            throw SyoteLoppui{};
        return std::move(*rivi);
    }
    std::string rivi;
    if (!std::getline(sisaan_, rivi))
        throw SyoteLoppui{};
    return rivi;
}

void Konsoli::kehota(const std::string &teksti) {
    if (lukija_) {
        kehote_ += teksti;
        ulos_.flush();
        return;
    }
    ulos_ << teksti;
    ulos_.flush();
}

void Konsoli::kirjoitaKehote() {
    if (kehote_.empty())
        return;
    ulos_ << kehote_;
    kehote_.clear();
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
// A value too large for 32 bits, or below 0, is kept as one past the largest, so that it is
// reported as out of range.
bool lueVastaus(const std::string &rivi, unsigned long long &arvo) {
    constexpr unsigned long long ulkona = static_cast<unsigned long long>(UINT_MAX) + 1;
    size_t i = 0;
    LuettuLuku luku;
    if (!lueLuku(rivi, i, ulkona, luku))
        return false;
    arvo = luku.negatiivinen && luku.arvo != 0 ? ulkona : luku.arvo;
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
        if (lueVastaus(rivi, luku)) {
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
bool syoteOnTerminaali() { return isatty(STDIN_FILENO) != 0; }

void kestaSuljettuTuloste() { std::signal(SIGPIPE, SIG_IGN); }

} // namespace vt
