#include "model/aika.h"

#include "util/teksti.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vt {

Aika::Aika(const std::string &teksti) { etsiaika(teksti, true, false); }

bool Aika::operator==(const Aika &o) const {
    return sadasosat == o.sadasosat && sekunnit == o.sekunnit && minuutit == o.minuutit &&
           omenat == o.omenat;
}

bool Aika::operator<(const Aika &o) const {
    if (onAika()) {
        if (!o.onAika() && o.omenat > 0)
            return true;
        if (minuutit != o.minuutit)
            return minuutit < o.minuutit;
        if (sekunnit != o.sekunnit)
            return sekunnit < o.sekunnit;
        return sadasosat < o.sadasosat;
    }
    if (o.onAika())
        return false;
    return omenat > o.omenat;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> Aika::jarjestysAvain() const {
    if (onAika())
        return std::pair<std::uint64_t, std::uint64_t>{minuutit,
                                                       (std::uint64_t{sekunnit} << 32) | sadasosat};
    // After every time: no sum of minutes reaches the greatest value.
    if (omenat > 0)
        return std::pair<std::uint64_t, std::uint64_t>{UINT64_MAX, UINT32_MAX - omenat};
    return std::nullopt;
}

namespace {

// The texts are built from the end of a buffer: each writer puts its digits before `loppu`
// and gives back where they begin.
char *luku(char *loppu, std::uint64_t n) {
    do {
        *--loppu = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    return loppu;
}

// At least two digits, as int2string2 writes them.
char *kaksi(char *loppu, unsigned n) {
    loppu = luku(loppu, n);
    if (n < 10)
        *--loppu = '0';
    return loppu;
}

// Room for the longest text: 20 digits of hours and the fields after them.
constexpr std::size_t PUSKURI = 48;

} // namespace

std::string Aika::int2string(unsigned n) const { return vt::int2string(n); }

// The text of `str` at the end of the buffer before `loppu`; gives back where it begins.
char *Aika::tekstiLoppuun(char *loppu) const {
    if (onAika()) {
        char *p = kaksi(loppu, sadasosat);
        *--p = ',';
        p = kaksi(p, sekunnit);
        *--p = ':';
        if (minuutit < 60) {
            p = luku(p, minuutit);
        } else {
            p = kaksi(p, static_cast<unsigned>(minuutit % 60));
            *--p = ':';
            p = luku(p, minuutit / 60);
        }
        while (loppu - p < 12)
            *--p = ' ';
        return p;
    }
    char *p = loppu;
    if (omenat == 1) {
        static constexpr std::string_view YKSI = "     1 apple";
        p -= YKSI.size();
        YKSI.copy(p, YKSI.size());
    } else if (omenat > 0) {
        static constexpr std::string_view OMENAT = " apples";
        p -= OMENAT.size();
        OMENAT.copy(p, OMENAT.size());
        p = luku(p, omenat);
        if (omenat < 10)
            *--p = ' ';
        p -= 3;
        std::fill(p, p + 3, ' ');
    } else {
        p -= 12;
        std::fill(p, loppu, ' ');
    }
    return p;
}

std::string Aika::str() const {
    char puskuri[PUSKURI];
    char *const loppu = puskuri + PUSKURI;
    return std::string(tekstiLoppuun(loppu), loppu);
}

void Aika::lisaaTekstiin(std::string &kohde) const {
    char puskuri[PUSKURI];
    char *const loppu = puskuri + PUSKURI;
    kohde.append(tekstiLoppuun(loppu), loppu);
}

std::string Aika::operator-(const Aika &o) const {
    if (!onAika() || !o.onAika() || this == &o || !(o < *this))
        return "        ";
    Aika c = *this;
    if (c.sadasosat < o.sadasosat) {
        if (c.sekunnit == 0) {
            c.minuutit -= 1;
            c.sekunnit = 59;
        } else {
            c.sekunnit -= 1;
        }
        c.sadasosat += 100;
    }
    if (c.sekunnit < o.sekunnit) {
        c.minuutit -= 1;
        c.sekunnit += 60;
    }
    c.minuutit -= o.minuutit;
    c.sekunnit -= o.sekunnit;
    c.sadasosat -= o.sadasosat;
    char puskuri[PUSKURI];
    char *const loppu = puskuri + PUSKURI;
    char *p = kaksi(loppu, c.sadasosat);
    *--p = ',';
    p = kaksi(p, c.sekunnit);
    *--p = ':';
    p = luku(p, c.minuutit);
    *--p = '+';
    return std::string(p, loppu);
}

std::uint64_t Aika::sadasosiaYhteensa() const {
    return static_cast<std::uint64_t>(sadasosat) + 100ull * sekunnit + 6000ull * minuutit;
}

Aika Aika::operator/(std::uint64_t jakaja) const {
    Aika r;
    if (jakaja == 0)
        return r;
    r.omenat = static_cast<std::uint32_t>(omenat / jakaja);
    // In whole minutes first, so that no product of 6000 and the minutes can wrap: the
    // remainder of the minutes joins the seconds and hundredths, which stay small.
    const std::uint64_t m = minuutit / jakaja;
    const std::uint64_t loput = (minuutit % jakaja) * 6000 + 100ull * sekunnit + sadasosat;
    const std::uint64_t t = m * 6000 + (loput + jakaja / 2) / jakaja;
    r.minuutit = t / 6000;
    r.sekunnit = static_cast<std::uint32_t>((t / 100) % 60);
    r.sadasosat = static_cast<std::uint32_t>(t % 100);
    return r;
}

Aika operator+(const Aika &a, const Aika &b) {
    std::uint64_t h = static_cast<std::uint64_t>(a.sadasosat) + b.sadasosat;
    std::uint64_t s = static_cast<std::uint64_t>(a.sekunnit) + b.sekunnit + h / 100;
    std::uint64_t m = static_cast<std::uint64_t>(a.minuutit) + b.minuutit + s / 60;
    Aika r;
    r.sadasosat = static_cast<std::uint32_t>(h % 100);
    r.sekunnit = static_cast<std::uint32_t>(s % 60);
    r.minuutit = m;
    r.omenat = a.omenat + b.omenat;
    return r;
}

bool Aika::etsiaika(std::string_view teksti, bool sanaMoodi, bool viimeinenSana) {
    std::string_view tutkittava;
    if (sanaMoodi) {
        tutkittava = viimeinenSana ? vt::viimeinenSana(teksti) : ensimmainenSana(teksti);
        if (tutkittava.empty()) // no word at all
            return !nolla();
    } else {
        const size_t p = teksti.find('>');
        if (p == std::string_view::npos)
            return !nolla();
        tutkittava = teksti.substr(p);
    }

    // Digits anywhere from the beginning point on; separators are skipped. Digits more than
    // eleven places after the first make the text too long, so at most twelve are ever used.
    constexpr size_t NUMEROITA_ENINTAAN = 12;
    unsigned numerot[NUMEROITA_ENINTAAN];
    size_t n = 0;
    size_t eka = std::string_view::npos, viimeinen = 0;
    bool liianPitka = false;
    for (size_t i = 0; i < tutkittava.size(); ++i) {
        const char c = tutkittava[i];
        if (c >= '0' && c <= '9') {
            if (eka == std::string_view::npos) {
                eka = i;
            } else if (i - eka > 11) {
                liianPitka = true;
                break;
            }
            numerot[n++] = static_cast<unsigned>(c - '0');
            viimeinen = i;
        }
    }
    bool ymparistoOk = eka != std::string_view::npos && !liianPitka;
    if (ymparistoOk) {
        for (size_t i = 1; i < eka && ymparistoOk; ++i)
            ymparistoOk = onValilyonti(tutkittava[i]);
        for (size_t i = viimeinen + 1; i < tutkittava.size() && ymparistoOk; ++i)
            ymparistoOk = onValilyonti(tutkittava[i]);
    }
    if (ymparistoOk && n >= 3 && n <= 6) {
        unsigned h = numerot[n - 2] * 10 + numerot[n - 1];
        unsigned s = numerot[n - 3];
        if (n >= 4)
            s += numerot[n - 4] * 10;
        unsigned m = 0;
        while (s > 59) {
            s -= 60;
            ++m;
        }
        unsigned loput = 0;
        for (size_t i = 0; i + 4 < n; ++i)
            loput = loput * 10 + numerot[i];
        if (h != 0 || s != 0 || m + loput != 0) {
            sadasosat = h;
            sekunnit = s;
            minuutit += m + loput;
        }
    }
    if (nolla()) {
        // An apple count: a bare number from 1 to 50.
        const std::string_view t = sanaMoodi ? tutkittava : tutkittava.substr(1);
        size_t i = 0;
        while (i < t.size() && onValilyonti(t[i]))
            ++i;
        unsigned v = 0;
        size_t alku = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - alku < 4) {
            v = v * 10 + static_cast<unsigned>(t[i] - '0');
            ++i;
        }
        bool ok = i > alku && (i >= t.size() || !(t[i] >= '0' && t[i] <= '9'));
        for (size_t j = i; ok && j < t.size(); ++j)
            if (!onValilyonti(t[j]))
                ok = false;
        if (ok && v >= 1 && v <= 50)
            omenat = v;
    }
    return !nolla();
}

const Aika &rangaistusAika() {
    static const Aika a("10:00:00");
    return a;
}

void lisaaRangaistus(Aika &a, std::uint64_t kertaa) { a.minuutit += 10 * kertaa; }

} // namespace vt
