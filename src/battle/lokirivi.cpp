#include "battle/lokirivi.h"

#include "util/syote.h"
#include "util/teksti.h"

#include <cassert>
#include <cstddef>
#include <istream>
#include <sstream>
#include <string_view>

namespace vt {

unsigned vanhaKellonaika = 0;

namespace {

// The four shapes of date line, tried in this order: the keywords that tell the shape and the
// words before the month; all but "Day changed" have the clock between day and year.
struct PaivamaaraMuoto {
    const char *sana1;
    const char *sana2;
    int ohitettavia;
    bool kelloValissa;
};
constexpr PaivamaaraMuoto MUODOT[] = {
    {"SESSION", "START", 3, true},
    {"DAY", "CHANGED", 4, false},
    {"LOG", "OPENED", 4, true},
    {"SESSION", "TIME", 3, true},
};

const PaivamaaraMuoto *paivamaaraMuoto(const std::string &iso) {
    for (const PaivamaaraMuoto &m : MUODOT)
        if (loytyyko(iso, m.sana1) && loytyyko(iso, m.sana2))
            return &m;
    return nullptr;
}

bool karkausvuosi(std::uint32_t v) { return (v % 4 == 0 && v % 100 != 0) || v % 400 == 0; }

// Where the name of a linked level file starts in the text before its ".LEV": after the last
// "/" or space.
std::size_t linkinAlku(const std::string &ennenPaatetta) {
    std::size_t alku = 0;
    if (std::size_t p = ennenPaatetta.rfind('/'); p != std::string::npos)
        alku = p + 1;
    if (std::size_t p = ennenPaatetta.rfind(' '); p != std::string::npos && p + 1 > alku)
        alku = p + 1;
    return alku;
}

bool onKoriste(char c) {
    switch (static_cast<unsigned char>(c)) {
    case '_':
    case '@':
    case '-':
    case '+':
    case '/':
    case '\\':
    case '*':
    case '|':
    case '^':
    case '\'':
    case 0xB4: // the acute accent of Latin-1
    case '`':
    case '(':
    case ')':
    case ':':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string Date::str() const {
    if (vuosi == 1900)
        return "";
    return int2string(paiva) + "." + int2string(kuukausi) + "." + int2string(vuosi);
}

void Date::lisaaPaiva() {
    ++paiva;
    const bool ohi =
        (kuukausi == 2 && paiva >= 30) || (kuukausi == 2 && paiva >= 29 && !karkausvuosi(vuosi)) ||
        (paiva > 30 && (kuukausi == 4 || kuukausi == 6 || kuukausi == 9 || kuukausi == 11)) ||
        paiva >= 32;
    if (!ohi)
        return;
    ++kuukausi;
    paiva = 1;
    if (kuukausi > 12) {
        ++vuosi;
        kuukausi = 1;
    }
}

void Date::lueRivistaPaivamaara(const std::string &rivi) {
    const PaivamaaraMuoto *muoto = paivamaaraMuoto(toUpper(rivi));
    if (!muoto)
        return;
    vanhaKellonaika = 0;
    std::istringstream in(rivi);
    std::string sana;
    for (int i = 0; i < muoto->ohitettavia; ++i)
        in >> sana;
    if (!(in >> sana))
        return;
    static const char *const KUUT[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                       "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const std::string kuu = toUpper(sana);
    for (std::uint32_t k = 0; k < 12; ++k)
        if (kuu == KUUT[k])
            kuukausi = k + 1;
    std::uint32_t luku = 0;
    if (!(in >> luku))
        return;
    if (luku != 0)
        paiva = luku;
    if (muoto->kelloValissa)
        in >> sana;
    if (in >> luku && luku != 0)
        vuosi = luku;
}

bool onPaivamaaraRivi(const std::string &iso) { return paivamaaraMuoto(iso) != nullptr; }

bool onByRivi(const std::string &iso) { return loytyyko(iso, "BY") && !loytyyko(iso, "PEER"); }

bool onLinkkiRivi(const std::string &iso) {
    return loytyyko(iso, ".LEV") && (loytyyko(iso, "HTTP") || loytyyko(iso, "WWW"));
}

bool voiOllaTulos(const std::string &iso) {
    return !loytyyko(iso, ".LEV") && !loytyyko(iso, ".REC") && !loytyyko(iso, "HTTP") &&
           !loytyyko(iso, "WWW");
}

bool onStopRivi(const std::string &iso) { return loytyyko(iso, "STOP") || loytyyko(iso, "END"); }

void lueNimiTiedosto(std::istream &in, std::vector<Nickit> &nickit) {
    std::string rivi;
    while (lueRivi(in, rivi, SIVURIVIN_KATTO)) {
        std::size_t kohta = 0;
        std::string_view nick, nimi;
        if (seuraavaSana(rivi, kohta, nick) && seuraavaSana(rivi, kohta, nimi))
            nickit.push_back({toUpper(std::string(nick)).substr(0, 5), std::string(nimi)});
    }
}

void vaihdanimea(const std::vector<Nickit> &nickit, std::string &nimi) {
    const std::string avain = toUpper(nimi).substr(0, 5);
    for (const Nickit &n : nickit)
        if (n.avain == avain) {
            nimi = n.nimi;
            return;
        }
}

void karsi(std::string &nimi) {
    size_t a = 0;
    while (a < nimi.size() &&
           (onValilyonti(nimi[a]) || (nimi.size() - a > 1 && onKoriste(nimi[a]))))
        ++a;
    size_t b = nimi.size();
    while (b - a > 1 && (onKoriste(nimi[b - 1]) || onValilyonti(nimi[b - 1])))
        --b;
    nimi = nimi.substr(a, b - a);
}

std::string etsiAlkuTaiLoppuAika(const std::string &rivi, Date &date) {
    // The words before the speaker's nick.
    std::size_t kohta = 0;
    for (std::string_view sana; seuraavaSana(rivi, kohta, sana) && sana[0] != '<';) {
        std::string numerot;
        for (char c : sana)
            if (c >= '0' && c <= '9' && numerot.size() < 7)
                numerot += c;
        if (numerot.size() != 4 && numerot.size() != 6)
            continue;
        auto d = [&](size_t k) { return static_cast<unsigned>(numerot[k] - '0'); };
        const unsigned m = d(0) * 600 + d(1) * 60 + d(2) * 10 + d(3);
        if (m < vanhaKellonaika)
            date.lisaaPaiva();
        vanhaKellonaika = m;
        return numerot.substr(0, 2) + ":" + numerot.substr(2, 2);
    }
    return "";
}

std::string sanoja(const std::string &rivi, const std::vector<Nickit> &nickit) {
    const size_t a = rivi.find('<');
    const size_t b = rivi.find('>');
    if (a == std::string::npos || b == std::string::npos || b < a)
        return "";
    std::string nimi = lyhenna(rivi.substr(a + 1, b - a - 1));
    karsi(nimi);
    vaihdanimea(nickit, nimi);
    return nimi;
}

std::string battlenSanoja(const std::string &rivi, const std::vector<Nickit> &nickit) {
    std::size_t kohta = 0;
    std::string_view sana;
    bool by = false;
    while (!by && seuraavaSana(rivi, kohta, sana))
        by = toUpper(std::string(sana)) == "BY";
    if (!by || !seuraavaSana(rivi, kohta, sana))
        return "";
    std::string nimi = lyhenna(std::string(sana));
    karsi(nimi);
    if (loytyyko(nimi, "Unregistered-"))
        nimi = nimi.substr(13);
    if (nimi.size() > 11)
        nimi = nimi.substr(0, 11);
    vaihdanimea(nickit, nimi);
    return nimi;
}

std::string etsiLevelLogista(const std::string &rivi) {
    const size_t paate = toUpper(rivi).find(".LEV");
    if (paate == std::string::npos)
        return "";
    const std::string t = rivi.substr(0, paate);
    size_t alku = linkinAlku(t);
    if (size_t p = t.find("level="); p != std::string::npos)
        alku = p + 6;
    if (size_t p = t.find("file="); p != std::string::npos) {
        const size_t q = t.find("file=level__");
        // The game's own download links put an 11-character prefix before the name.
        if (q != std::string::npos && t.size() > q + 27)
            alku = q + 12 + 11;
        else
            alku = p + 5;
    }
    return lyhenna(t.substr(alku));
}

std::string linkinNimi(const std::string &rivi, const std::string &iso) {
    assert(iso.size() == rivi.size()); // the same line upper-cased
    assert(onLinkkiRivi(iso));
    const std::string t = rivi.substr(0, iso.find(".LEV"));
    return t.substr(linkinAlku(t));
}

} // namespace vt
