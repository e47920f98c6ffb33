#include "stats/latausraportti.h"

#include "model/jarjestykset.h"
#include "model/totalit.h"
#include "util/teksti.h"

#include <utility>

namespace vt {

namespace {

unsigned long long aikojaYhteensa(const std::vector<Level> &levelit) {
    unsigned long long n = 0;
    for (const Level &l : levelit)
        n += l.annaAjojenLkm();
    return n;
}

bool samojaIsoina(const std::vector<std::string> &nimet) {
    std::unordered_set<std::string> isot;
    for (const std::string &n : nimet)
        if (!isot.insert(toUpper(n)).second)
            return true;
    return false;
}

void lisatytNimet(Latausraportti &r, const EnnenLatausta &ennen, const std::vector<Level> &levelit,
                  const Tulostusasetukset &asetukset, const std::vector<unsigned> &pistetaulukko) {
    for (KokoelmanNimi &n : kokoelmanNimet(levelit, asetukset.tiimit))
        if (!ennen.nimet.count(n.nimi))
            (n.tiimi ? r.tiimit : r.pelaajat).push_back(std::move(n.nimi));
    // Names that differ only in case keep the order of the totals between them, which only
    // the totals themselves can tell.
    if (samojaIsoina(r.pelaajat) || samojaIsoina(r.tiimit)) {
        r.pelaajat.clear();
        r.tiimit.clear();
        for (Pelaaja &p : laskeKokoelmanTotalit(levelit, asetukset, pistetaulukko, nullptr))
            if (!ennen.nimet.count(p.nimi))
                (p.tiimi ? r.tiimit : r.pelaajat).push_back(std::move(p.nimi));
    }
    vaihtojarjesta(r.pelaajat, nimetAakkosiin());
    vaihtojarjesta(r.tiimit, nimetAakkosiin());
}

void lisaaLista(std::string &teksti, const std::vector<std::string> &nimet, const char *monta,
                const char *yksi) {
    if (nimet.empty())
        return;
    teksti += nimet.size() == 1 ? yksi : monta;
    for (size_t i = 0; i < nimet.size(); ++i)
        teksti += (i ? ", " : "") + nimet[i];
    teksti += "\n";
}

} // namespace

EnnenLatausta muistaEnnenLatausta(const std::vector<Level> &levelit,
                                  const Tulostusasetukset &asetukset, bool loki) {
    EnnenLatausta e;
    e.levelit = levelit.size();
    e.ajat = aikojaYhteensa(levelit);
    e.parhaat.reserve(levelit.size());
    for (const Level &l : levelit)
        e.parhaat.push_back(l.parasAika());
    if (!loki)
        for (KokoelmanNimi &n : kokoelmanNimet(levelit, asetukset.tiimit))
            e.nimet.insert(std::move(n.nimi));
    return e;
}

Latausraportti laskeLatausraportti(const EnnenLatausta &ennen, const std::vector<Level> &levelit,
                                   const Tulostusasetukset &asetukset,
                                   const std::vector<unsigned> &pistetaulukko, bool loki) {
    Latausraportti r;
    r.loki = loki;
    r.levelejaLisatty = levelit.size() - ennen.levelit;
    r.aikojaLisatty = aikojaYhteensa(levelit) - ennen.ajat;
    for (size_t i = 0; i < levelit.size(); ++i)
        if (i >= ennen.levelit || levelit[i].parasAika() < ennen.parhaat[i])
            r.uudetParhaat.push_back(i + 1);
    if (!loki)
        lisatytNimet(r, ennen, levelit, asetukset, pistetaulukko);
    return r;
}

std::string latausraporttiTeksti(const Latausraportti &r) {
    std::string t = int2string(static_cast<unsigned long long>(r.levelejaLisatty)) +
                    " levels and " + int2string(r.aikojaLisatty) + " times added. \n";
    if (r.loki)
        return t;
    if (!r.uudetParhaat.empty()) {
        t += "Totally " + int2string(static_cast<unsigned long long>(r.uudetParhaat.size())) +
             (r.uudetParhaat.size() == 1 ? " new best time in level "
                                         : " new best times in levels ");
        for (size_t i = 0; i < r.uudetParhaat.size(); ++i)
            t += (i ? ", " : "") + int2string(static_cast<unsigned long long>(r.uudetParhaat[i]));
        t += "\n";
    }
    lisaaLista(t, r.pelaajat,
               "The following players were added: ", "The following player was added: ");
    lisaaLista(t, r.tiimit, "The following teams were added: ", "The following team was added: ");
    return t;
}

} // namespace vt
