#include "util/teksti.h"

#include "util/nayttoleveys.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <climits>

namespace vt {

std::string toUpper(const std::string &s) {
    std::string r = s;
    for (char &c : r) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

void lisaaNumerot(std::string &kohde, unsigned long long n) {
    char puskuri[24];
    char *const loppu = puskuri + sizeof puskuri;
    char *p = loppu;
    do {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    kohde.append(p, loppu);
}

std::string int2string(unsigned long long n) {
    std::string r;
    lisaaNumerot(r, n);
    return r;
}

std::string int2string(unsigned n) { return int2string(static_cast<unsigned long long>(n)); }
std::string int2string(unsigned long n) { return int2string(static_cast<unsigned long long>(n)); }

std::string int2string(int n) {
    if (n < 0)
        return std::string(1, '-').append(int2string(0u - static_cast<unsigned>(n)));
    return int2string(static_cast<unsigned>(n));
}

std::string int2string2(unsigned n) {
    if (n < 10)
        return std::string{'0', static_cast<char>('0' + n)};
    return int2string(n);
}

std::string double2string(double x, unsigned n) {
    unsigned kokonaiset = static_cast<unsigned>(x);
    std::string r = int2string(kokonaiset);
    double osa = x - kokonaiset;
    if (n > 0)
        r += ".";
    for (unsigned i = 0; i < n; ++i) {
        osa *= 10;
        int d = static_cast<int>(osa);
        if (d < 0)
            d = 0;
        if (d > 9)
            d = 9;
        r += static_cast<char>('0' + d);
        osa -= d;
    }
    return r;
}

bool lueLuku(const std::string &s, size_t &i, unsigned long long katto, LuettuLuku &luku) {
    assert(i <= s.size());
    size_t k = i;
    while (k < s.size() && onValilyonti(s[k]))
        ++k;
    bool negatiivinen = false;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        negatiivinen = s[k] == '-';
        ++k;
    }
    if (k >= s.size() || s[k] < '0' || s[k] > '9')
        return false;
    unsigned long long v = 0;
    for (; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k)
        if (v < katto)
            v = std::min(katto, v * 10 + static_cast<unsigned>(s[k] - '0'));
    luku.arvo = v;
    luku.negatiivinen = negatiivinen;
    i = k;
    return true;
}

int string2int(const std::string &s) {
    size_t i = 0;
    LuettuLuku luku;
    // A minus sign is not part of any number the program asks for.
    if (!lueLuku(s, i, INT_MAX, luku) || luku.negatiivinen)
        return 0;
    return static_cast<int>(luku.arvo);
}

std::string pidenna(std::string s, unsigned width) {
    // UTF-8 names line up with 8-bit ones by the columns they fill, not by their bytes.
    const size_t leveys = naytonLeveys(s);
    if (leveys < width)
        s.append(width - leveys, ' ');
    return s;
}

std::string pidenna(unsigned n, unsigned width) { return pidenna(int2string(n), width); }
std::string pidenna(int n, unsigned width) { return pidenna(int2string(n), width); }

std::string lyhenna(std::string s) {
    const std::string_view t = lyhennetty(s);
    const size_t a = static_cast<size_t>(t.data() - s.data());
    s.erase(a + t.size());
    s.erase(0, a);
    return s;
}

std::string_view lyhennetty(std::string_view s) {
    size_t a = 0;
    while (a < s.size() && onValilyonti(s[a]))
        ++a;
    size_t b = s.size();
    while (b > a && onValilyonti(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

bool onkotyhja(const std::string &s) {
    for (char c : s)
        if (!onValilyonti(c))
            return false;
    return true;
}

bool aakkosta(const std::string &a, const std::string &b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        // Compared as signed 8-bit values whatever the platform's char is.
        auto x = static_cast<signed char>(
            static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(a[i]))));
        auto y = static_cast<signed char>(
            static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(b[i]))));
        if (x != y)
            return x < y;
    }
    return true;
}

bool loytyyko(const std::string &s, const std::string &t) { return s.find(t) != std::string::npos; }

bool seuraavaSana(std::string_view teksti, std::size_t &kohta, std::string_view &sana) {
    assert(kohta <= teksti.size());
    std::size_t i = kohta;
    while (i < teksti.size() && onValilyonti(teksti[i]))
        ++i;
    const std::size_t alku = i;
    while (i < teksti.size() && !onValilyonti(teksti[i]))
        ++i;
    kohta = i;
    sana = teksti.substr(alku, i - alku);
    return i > alku;
}

std::vector<std::string_view> sanat(std::string_view teksti) {
    std::vector<std::string_view> r;
    std::size_t kohta = 0;
    for (std::string_view sana; seuraavaSana(teksti, kohta, sana);)
        r.push_back(sana);
    return r;
}

std::string_view ensimmainenSana(std::string_view teksti) {
    std::size_t kohta = 0;
    std::string_view sana;
    seuraavaSana(teksti, kohta, sana);
    return sana;
}

std::string_view viimeinenSana(std::string_view teksti) {
    std::size_t kohta = 0;
    std::string_view viimeinen;
    for (std::string_view sana; seuraavaSana(teksti, kohta, sana);)
        viimeinen = sana;
    return viimeinen;
}

std::string htmlSuojaa(const std::string &s) {
    if (s.find_first_of("&<>\"") == std::string::npos)
        return s;
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        default:
            r += c;
        }
    }
    return r;
}

std::string htmlMetaRivit(bool utf8, const std::string &sisennys) {
    return sisennys + (utf8 ? "<meta charset=\"utf-8\">\n" : "<meta charset=\"windows-1252\">\n") +
           sisennys + "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
}

std::string kommenttiin(const std::string &s) {
    std::string r;
    r.reserve(s.size() + s.size() / 64);
    size_t kopioimatta = 0; // the text from here on is not in `r` yet
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c != '-' && c != '&')
            continue;
        const bool korvataan =
            c == '-' ? i > 0 && s[i - 1] == '-'
                     : s.compare(i + 1, 4, "#45;") == 0 || s.compare(i + 1, 4, "#38;") == 0;
        if (!korvataan)
            continue;
        r.append(s, kopioimatta, i - kopioimatta);
        r += c == '-' ? "&#45;" : "&#38;";
        kopioimatta = i + 1;
    }
    r.append(s, kopioimatta, std::string::npos);
    assert(r.find("--") == std::string::npos);
    return r;
}

std::string kommentista(const std::string &s) {
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (s.compare(i, 5, "&#45;") == 0) {
            r += '-';
            i += 5;
        } else if (s.compare(i, 5, "&#38;") == 0) {
            r += '&';
            i += 5;
        } else if (s.compare(i, 6, "--&gt;") == 0) {
            // Pages of earlier versions wrote a "-->" of a name so.
            r += "-->";
            i += 6;
        } else {
            r += s[i++];
        }
    }
    return r;
}

std::string korvaaKaikki(std::string s, const std::string &mita, const std::string &milla) {
    if (mita.empty())
        return s;
    size_t pos = 0;
    while ((pos = s.find(mita, pos)) != std::string::npos) {
        s.replace(pos, mita.size(), milla);
        pos += milla.size();
    }
    return s;
}

} // namespace vt
