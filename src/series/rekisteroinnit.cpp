#include "series/rekisteroinnit.h"

#include "util/teksti.h"

#include <istream>
#include <ostream>
#include <sstream>

namespace vt {

namespace {

struct Rekisterointi {
    std::string teksti;       // name and team, as the runs show it
    std::string kansallisuus; // upper-cased, may be empty
    std::string nimi;         // the name alone, blanks as "_", for the nationalities file
};

std::optional<Rekisterointi> lueRekisterointi(const std::string &rivi) {
    const size_t p = rivi.find('>');
    if (p == std::string::npos || rivi.size() < p + 5)
        return std::nullopt;
    const std::string viesti = lyhenna(rivi.substr(p + 1));
    const std::string iso = toUpper(viesti);
    if (iso.rfind("REGISTER", 0) != 0 && iso.rfind("!REGISTER", 0) != 0)
        return std::nullopt;
    // The whole first word goes, whatever is glued to the keyword.
    size_t k = iso.find("REGISTER");
    while (k < viesti.size() && !onValilyonti(viesti[k]))
        ++k;
    std::string loput = lyhenna(viesti.substr(k));
    if (loput.empty())
        return std::nullopt;
    Rekisterointi r;
    const size_t a = loput.find('(');
    const size_t b = loput.find(')');
    if (a != std::string::npos && b != std::string::npos && a < b) {
        r.kansallisuus = loput.substr(a + 1, b - a - 1);
        loput = loput.substr(0, a);
    }
    if (size_t t = loput.find("[]"); t != std::string::npos)
        loput.erase(t, 2);
    r.teksti = lyhenna(loput);
    r.kansallisuus = toUpper(lyhenna(r.kansallisuus));
    r.nimi = lyhenna(r.teksti.substr(0, r.teksti.find('[')));
    for (char &c : r.nimi)
        if (onValilyonti(c))
            c = '_';
    return r;
}

std::vector<Nationality> lueRyhmat(const std::string &tiedosto, const std::string &nimi,
                                   bool &loytyi, std::string &nykyinen) {
    std::vector<Nationality> ryhmat;
    std::istringstream in(tiedosto);
    std::string sana;
    while (in >> sana) {
        if (sana[0] == ':') {
            ryhmat.push_back({{}, sana.substr(1)});
            continue;
        }
        if (ryhmat.empty())
            continue;
        Pelaaja p;
        p.nimi = sana;
        ryhmat.back().jasenet.push_back(std::move(p));
        if (sana == nimi) {
            loytyi = true;
            nykyinen = ryhmat.back().nimi;
        }
    }
    return ryhmat;
}

} // namespace

std::optional<std::string> siirraKansallisuuteen(const std::string &tiedosto,
                                                 const std::string &nimi,
                                                 const std::string &kansallisuus, bool &loytyi) {
    loytyi = false;
    std::string nykyinen;
    std::vector<Nationality> ryhmat = lueRyhmat(tiedosto, nimi, loytyi, nykyinen);
    if (nykyinen == kansallisuus)
        return std::nullopt;
    if (loytyi)
        for (Nationality &r : ryhmat)
            std::erase_if(r.jasenet, [&](const Pelaaja &p) { return p.nimi == nimi; });
    for (size_t i = 0; i < ryhmat.size(); ++i)
        for (size_t j = i + 1; j < ryhmat.size();) {
            if (ryhmat[j].nimi != ryhmat[i].nimi) {
                ++j;
                continue;
            }
            for (Pelaaja &p : ryhmat[j].jasenet)
                ryhmat[i].jasenet.push_back(std::move(p));
            ryhmat.erase(ryhmat.begin() + static_cast<long>(j));
        }
    Pelaaja uusi;
    uusi.nimi = nimi;
    bool lisatty = false;
    for (Nationality &r : ryhmat)
        if (r.nimi == kansallisuus) {
            r.jasenet.push_back(uusi);
            lisatty = true;
        }
    if (!lisatty)
        ryhmat.push_back({{uusi}, kansallisuus});
    std::string r;
    for (const Nationality &n : ryhmat) {
        if (n.jasenet.empty())
            continue;
        r += ":" + n.nimi;
        for (const Pelaaja &p : n.jasenet)
            r += " " + p.nimi;
        r += "\n";
    }
    return r;
}

std::string korvaaPelaajanRivi(const std::string &tiedosto, const std::string &nick,
                               const std::string &rivi, const std::vector<Nickit> &nickit,
                               bool &korvattu) {
    korvattu = false;
    std::string r;
    std::istringstream in(tiedosto);
    std::string vanha;
    while (std::getline(in, vanha)) {
        if (onkotyhja(vanha))
            continue;
        if (sanoja(vanha, nickit) == nick) {
            korvattu = true;
            continue;
        }
        r += vanha + "\n";
    }
    return r + rivi + "\n\n";
}

void lueRekisteroinnit(Level &level, std::istream &in, bool onPelaajatiedosto,
                       const std::vector<Nickit> &nickit, const Sivutiedostot &tiedostot,
                       std::ostream &konsoli) {
    auto kerro = [&](const std::string &tiedosto, const std::string &nick, bool paivitetty,
                     bool kirjoitettu) {
        if (kirjoitettu)
            konsoli << "File " << tiedosto << " updated: Player " << nick
                    << (paivitetty ? " updated." : " added.") << "\n";
        else
            konsoli << "Saving file " << tiedosto << " failed. \n";
    };
    std::string rivi;
    while (std::getline(in, rivi)) {
        if (rivi.find('>') == std::string::npos)
            continue;
        const std::string nick = sanoja(rivi, nickit);
        const std::optional<Rekisterointi> r = lueRekisterointi(rivi);
        if (!r)
            continue;
        if (level.rekisteroi(nick, r->teksti))
            konsoli << "Player " << nick << " registered.\n";
        if (!r->kansallisuus.empty()) {
            bool loytyi = false;
            const std::optional<std::string> uusi = siirraKansallisuuteen(
                tiedostot.lue(tiedostot.kansallisuudet), r->nimi, r->kansallisuus, loytyi);
            if (uusi)
                kerro(tiedostot.kansallisuudet, nick, loytyi,
                      tiedostot.kirjoita(tiedostot.kansallisuudet, *uusi));
        }
        if (!onPelaajatiedosto) {
            bool korvattu = false;
            const std::string uusi =
                korvaaPelaajanRivi(tiedostot.lue(tiedostot.pelaajat), nick, rivi, nickit, korvattu);
            kerro(tiedostot.pelaajat, nick, korvattu, tiedostot.kirjoita(tiedostot.pelaajat, uusi));
        }
    }
}

} // namespace vt
