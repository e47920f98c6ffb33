#include "series/sorakisa.h"

#include "util/tallennuspolku.h"
#include "util/teksti.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace vt {

namespace {

const std::string &nakyvaNimi(const Ajo &a) { return a.rekisteroity ? a.rekisteroityNimi : a.nimi; }

const char *kylla(bool b) { return b ? "YES" : "NO"; }

// "John Smith [Big Team]" as "John_Smith [Big Team]": blanks before the team part joined.
std::string yhdistaNimi(const std::string &teksti) {
    // alkaaTiimi[i]: the first character that is not white space at or after i is "[".
    std::vector<bool> alkaaTiimi(teksti.size() + 1, false);
    for (size_t i = teksti.size(); i-- > 0;)
        alkaaTiimi[i] = onValilyonti(teksti[i]) ? alkaaTiimi[i + 1] : teksti[i] == '[';
    std::string r;
    bool tiimissa = false;
    for (size_t i = 0; i < teksti.size(); ++i) {
        tiimissa = tiimissa || alkaaTiimi[i];
        r += onValilyonti(teksti[i]) && !tiimissa ? '_' : teksti[i];
    }
    return r;
}

} // namespace

bool tuloksissa(const Ajo &a) {
    return (a.rekisteroity && a.ladattu && a.tarkistettu) || a.hyvaksytty;
}

void tulostaTilanne(std::ostream &out, const std::vector<Ajo> &ajot) {
    out << "Current situation: \n\n";
    out << std::string(38, ' ') << "Player      Replay    Time     Accepted\n";
    out << "Pos. Name                     Time    registered  uploaded  checked  to results\n";
    out << std::string(79, '-') << "\n";
    for (size_t i = 0; i < ajot.size(); ++i) {
        const Ajo &a = ajot[i];
        out << pidenna(int2string(i + 1) + ".", 5) << pidenna(nakyvaNimi(a), 20) << a.aika.str()
            << pidenna(std::string(" ") + kylla(a.rekisteroity), 13)
            << pidenna(std::string(kylla(a.ladattu)), 10)
            << pidenna(std::string(kylla(a.tarkistettu)), 9) << kylla(tuloksissa(a)) << "\n";
    }
}

std::string tapahtumanNumero(const std::string &levelNimi) {
    std::string r;
    for (char c : levelNimi)
        if (c >= '0' && c <= '9' && !(r.empty() && c == '0'))
            r += c;
    return r;
}

std::string sorakisanOletusnimi(const std::string &numero, const std::string &alku,
                                const std::function<bool(const std::string &)> &olemassa) {
    if (!numero.empty())
        return "sorakisa" + std::string(numero.size() < 3 ? 3 - numero.size() : 0, '0') + numero +
               ".txt";
    return vapaaNimi(alku, ".txt", olemassa);
}

void tulostaSorakisa(std::ostream &out, const std::vector<Ajo> &jarjestyksessa,
                     const SorakisanOtsikko &o, const Kello &kello) {
    out << "Sorakisa #" << o.numero << " by " << o.tekija << " - " << o.paivamaara << ", " << o.aika
        << "\n";
    out << std::string(75, '=') << "\n\n";
    std::vector<Ajo> ajot;
    for (const Ajo &a : jarjestyksessa)
        if (tuloksissa(a))
            ajot.push_back(a);
    size_t w = 20;
    for (const Ajo &a : ajot)
        w = std::max(w, nakyvaNimi(a).size());
    const auto leveys = static_cast<unsigned>(w);
    out << " Pos.  " << pidenna(std::string("Nick [Team]"), leveys + 6) << "Time         Points\n";
    out << std::string(w + 34, '-') << "\n";
    const size_t n = ajot.size();
    for (size_t i = 0; i < n; ++i) {
        const Ajo &a = ajot[i];
        const std::string nimi = a.rekisteroity ? yhdistaNimi(a.rekisteroityNimi) : a.nimi;
        out << " " << pidenna(int2string(i + 1) + ".", 6) << pidenna(nimi, leveys + 1)
            << a.aika.str() << "      " << (i == 0 ? n + 5 : n - i) << "\n";
    }
    out << "\n\n" << generaattoriRivi(kello);
}

} // namespace vt
