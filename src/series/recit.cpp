#include "series/recit.h"

#include "util/syote.h"
#include "util/teksti.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace vt {

void readUploadedRecs(Level &level, std::istream &in, const std::vector<Nickit> &nickit,
                      std::ostream &konsoli) {
    std::vector<Ajo> ajot;
    level.annaAjotJarjestyksessa(ajot);
    std::unordered_set<std::string> pelaajat;
    for (const Ajo &a : ajot)
        pelaajat.insert(a.nimi);
    std::string rivi;
    while (lueRajattuRivi(in, rivi)) {
        const std::string nick = sanoja(rivi, nickit);
        if (nick.empty() || !pelaajat.count(nick))
            continue;
        const std::string iso = toUpper(rivi);
        if (!loytyyko(iso, ".REC") || !(loytyyko(iso, "HTTP") || loytyyko(iso, "WWW")))
            continue;
        std::istringstream sanat(rivi);
        std::string sana;
        while (sanat >> sana && !loytyyko(toUpper(sana), ".REC")) {
        }
        const size_t kauttaviiva = sana.rfind('/');
        if (kauttaviiva == std::string::npos)
            continue;
        if (level.uploaded(nick, sana.substr(kauttaviiva + 1)))
            konsoli << "Player " << nick << " has uploaded a rec.\n";
    }
}

namespace {

// Each uploaded replay name, upper-cased, with the runs that posted it (in order, each once):
// a checked line looks up its replay instead of going through every run.
std::unordered_map<std::string, std::vector<size_t>> recienAjot(const std::vector<Ajo> &ajot) {
    std::unordered_map<std::string, std::vector<size_t>> recilla;
    for (size_t i = 0; i < ajot.size(); ++i)
        for (const std::string &r : ajot[i].recit) {
            std::vector<size_t> &ajoille = recilla[toUpper(r)];
            if (ajoille.empty() || ajoille.back() != i)
                ajoille.push_back(i);
        }
    return recilla;
}

} // namespace

void tarkistaReccienOikeatAjat(Level &level, std::istream &in, std::ostream &konsoli) {
    std::vector<Ajo> ajot;
    level.annaAjotJarjestyksessa(ajot);
    const std::unordered_map<std::string, std::vector<size_t>> recilla = recienAjot(ajot);
    const std::string levelIso = toUpper(level.annaNimi());
    // Times are read from the right, so "00:00:02" is two hundredths of a second.
    const Aika vara("00:00:02");
    std::string rivi;
    while (lueRajattuRivi(in, rivi)) {
        std::istringstream sanat(rivi);
        std::string rec, levelSana, laji, aika;
        if (!(sanat >> rec >> levelSana >> laji >> aika))
            continue;
        const std::string sanaIso = toUpper(levelSana);
        if (!loytyyko(levelIso, sanaIso) && !loytyyko(sanaIso, levelIso))
            continue;
        const Aika oikea(aika);
        if (oikea.nolla())
            continue;
        const auto ajoille = recilla.find(toUpper(rec));
        if (ajoille == recilla.end())
            continue;
        // A run with the replay twice is checked once: the second time would change nothing.
        for (size_t i : ajoille->second) {
            const Ajo &a = ajot[i];
            const bool lajiOk = a.multiplayer() ? laji == "m" : laji == "s";
            if (lajiOk && oikea < a.aika + vara && level.tarkistettu(a.nimi, a.aika))
                konsoli << "Player " << a.nimi << "'s rec checked. \n";
        }
    }
}

} // namespace vt
