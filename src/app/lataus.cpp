// Options 1 and 2: loading stat files and typing times.
#include "app/tila.h"
#include "model/jarjestykset.h"
#include "model/totalit.h"
#include "stats/luestats.h"
#include "util/syote.h"
#include "util/teksti.h"

#include <memory>
#include <ostream>
#include <unordered_set>

namespace vt {

namespace {

void kysyVanhaUusi(Tila &t) {
    t.konsoli.kehota(std::string("Do you want to merge it as old(1) or new(2) time? (default = ") +
                     (t.uusiOletus ? "2" : "1") + "): ");
    std::string v = lyhenna(t.konsoli.lueRivi());
    if (v == "1")
        t.uusiOletus = false;
    else if (v == "2")
        t.uusiOletus = true;
}

unsigned aikojaYhteensa(const std::vector<Level> &levelit) {
    unsigned n = 0;
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

void jarjestaNimet(std::vector<std::string> &nimet) { vaihtojarjesta(nimet, nimetAakkosiin()); }

void tulostaLisatyt(Tila &t, const std::vector<std::string> &nimet, const char *monta,
                    const char *yksi) {
    if (nimet.empty())
        return;
    t.ulos() << (nimet.size() == 1 ? yksi : monta);
    for (size_t i = 0; i < nimet.size(); ++i)
        t.ulos() << (i ? ", " : "") << nimet[i];
    t.ulos() << "\n";
}

} // namespace

void lisaaStatTiedosto(Tila &t) {
    t.konsoli.kehota("Give the file name: ");
    const std::string kirjoitettu = lyhenna(t.konsoli.lueRivi());
    std::string nimi;
    std::unique_ptr<Syote> in;
    std::string eiTavallinen;
    for (const char *paate : {"", ".txt", ".log"}) {
        // A folder, a FIFO or a device of the name does not hide the file with an extension.
        auto koe = std::make_unique<Syote>(kirjoitettu + paate);
        if (koe->auki()) {
            nimi = kirjoitettu + paate;
            in = std::move(koe);
            break;
        }
        if (koe->tila() == Avaus::EiTavallinen && eiTavallinen.empty())
            eiTavallinen = kirjoitettu + paate;
    }
    if (!in) {
        if (!eiTavallinen.empty())
            t.ulos() << eiTavallinenViesti(eiTavallinen) << "\n";
        else
            t.ulos() << "Can't open file " << kirjoitettu << "\n";
        return;
    }
    if (t.asetukset.lihavoiUudet)
        kysyVanhaUusi(t);

    const size_t levelejaEnnen = t.levelit.size();
    const unsigned aikojaEnnen = aikojaYhteensa(t.levelit);
    std::vector<Aika> parhaatEnnen;
    for (const Level &l : t.levelit)
        parhaatEnnen.push_back(l.parasAika());
    const bool loki = loytyyko(nimi, ".log");
    std::unordered_set<std::string> vanhat;
    if (loki) {
        in.reset();
        lueBattleLoki(t, nimi);
        t.viimeisinLoki = nimi;
    } else {
        for (KokoelmanNimi &n : kokoelmanNimet(t.levelit, t.asetukset.tiimit))
            vanhat.insert(std::move(n.nimi));
        lueStats(in->virta(), t.levelit, t.uusiOletus, t.ulos());
        in.reset();
    }

    std::string lista;
    unsigned uusiaParhaita = 0;
    for (size_t i = 0; i < t.levelit.size(); ++i) {
        if (i >= levelejaEnnen || t.levelit[i].parasAika() < parhaatEnnen[i]) {
            lista += (uusiaParhaita ? ", " : "") + int2string(i + 1);
            ++uusiaParhaita;
        }
    }
    t.ulos() << (t.levelit.size() - levelejaEnnen) << " levels and "
             << (aikojaYhteensa(t.levelit) - aikojaEnnen) << " times added. \n";
    t.uusiOletus = true;
    if (loki)
        return;

    if (uusiaParhaita > 0)
        t.ulos() << "Totally " << uusiaParhaita
                 << (uusiaParhaita == 1 ? " new best time in level " : " new best times in levels ")
                 << lista << "\n";

    std::vector<std::string> pelaajat, tiimit;
    for (KokoelmanNimi &n : kokoelmanNimet(t.levelit, t.asetukset.tiimit))
        if (!vanhat.count(n.nimi))
            (n.tiimi ? tiimit : pelaajat).push_back(std::move(n.nimi));
    // Names that differ only in case keep the order of the totals between them, which only
    // the totals themselves can tell.
    if (samojaIsoina(pelaajat) || samojaIsoina(tiimit)) {
        pelaajat.clear();
        tiimit.clear();
        for (Pelaaja &p : laskeKokoelmanTotalit(t.levelit, t.asetukset, t.pistetaulukko, nullptr))
            if (!vanhat.count(p.nimi))
                (p.tiimi ? tiimit : pelaajat).push_back(std::move(p.nimi));
    }
    jarjestaNimet(pelaajat);
    jarjestaNimet(tiimit);
    tulostaLisatyt(t, pelaajat,
                   "The following players were added: ", "The following player was added: ");
    tulostaLisatyt(t, tiimit, "The following teams were added: ", "The following team was added: ");
}

namespace {

// A typed level choice: a number, the whole name, or the shortest unique prefix.
long valitseLevel(const std::vector<Level> &levelit, const std::string &teksti) {
    int n = string2int(teksti);
    if (n >= 1 && static_cast<size_t>(n) <= levelit.size())
        return n - 1;
    const std::string iso = toUpper(teksti);
    long koko = -1;
    unsigned kokoja = 0;
    for (size_t i = 0; i < levelit.size(); ++i)
        if (toUpper(levelit[i].annaNimi()) == iso) {
            koko = static_cast<long>(i);
            ++kokoja;
        }
    if (kokoja == 1)
        return koko;
    for (size_t k = 1; k <= iso.size(); ++k) {
        const std::string alku = iso.substr(0, k);
        long osuma = -1;
        unsigned osumia = 0;
        for (size_t i = 0; i < levelit.size(); ++i)
            if (toUpper(levelit[i].annaNimi()).substr(0, k) == alku) {
                osuma = static_cast<long>(i);
                ++osumia;
            }
        if (osumia == 1)
            return osuma;
    }
    return -1;
}

} // namespace

void lisaaAikojaKasin(Tila &t) {
    std::string levelNimi;
    long valittu = -1;
    if (t.levelit.empty()) {
        t.konsoli.kehota("Give the level's name: ");
        levelNimi = lyhenna(t.konsoli.lueRivi());
        if (onkotyhja(levelNimi)) {
            t.ulos() << "Can't create or find level.\n";
            return;
        }
    } else {
        tulostaLevelit(t, false);
        t.konsoli.kehota("Give the level's name or it's number: ");
        levelNimi = lyhenna(t.konsoli.lueRivi());
        if (onkotyhja(levelNimi)) {
            t.ulos() << "Can't create or find level.\n";
            return;
        }
        valittu = valitseLevel(t.levelit, levelNimi);
        if (valittu >= 0) {
            const Level &l = t.levelit[static_cast<size_t>(valittu)];
            t.ulos() << "Level " << l.annaNimi() << " found, current times: \n";
            l.tulostaAjot(t.ulos(), t.asetukset, false, false);
            t.ulos() << "\n";
            l.tulostaAjot(t.ulos(), t.asetukset, true, false);
        } else {
            t.ulos() << "Level not found, creating new. \n";
        }
    }

    bool ensimmainen = true;
    for (;;) {
        t.konsoli.kehota("Give the new time: ");
        Ajo ajo;
        ajo.aika.etsiaika(t.konsoli.lueRivi(), true, false);
        if (ajo.aika.nolla()) {
            t.ulos() << (ensimmainen ? "Can't add time, aborting. "
                                     : "New time wasn't given, aborting. ")
                     << "\n";
            return;
        }
        ensimmainen = false;
        t.konsoli.kehota("Give the player name: ");
        ajo.nimi = lyhenna(t.konsoli.lueRivi());
        if (onkotyhja(ajo.nimi)) {
            t.ulos() << "Can't add time, aborting. \n";
            return;
        }
        t.uusiOletus = true;
        if (t.asetukset.lihavoiUudet)
            kysyVanhaUusi(t);
        ajo.uusi = t.uusiOletus;
        if (valittu >= 0) {
            t.levelit[static_cast<size_t>(valittu)].lisaaAjo(ajo);
        } else {
            Level l(levelNimi);
            l.lisaaAjo(ajo);
            t.levelit.push_back(std::move(l));
            valittu = static_cast<long>(t.levelit.size() - 1);
        }
        t.ulos() << "Time added successfully. If you want to give more times to this level,\n"
                 << "give now the next time or press just enter to exit to main menu. \n";
    }
}

} // namespace vt
