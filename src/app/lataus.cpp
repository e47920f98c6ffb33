// Options 1 and 2: loading stat files and typing times.
#include "app/tila.h"
#include "stats/latausraportti.h"
#include "stats/luestats.h"
#include "util/syote.h"
#include "util/teksti.h"

#include <memory>
#include <optional>
#include <ostream>

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
            t.tiedostoVirhe() << eiTavallinenViesti(eiTavallinen) << "\n";
        else
            t.tiedostoVirhe() << "Can't open file " << kirjoitettu << "\n";
        return;
    }
    if (t.asetukset.lihavoiUudet)
        kysyVanhaUusi(t);

    const bool loki = loytyyko(nimi, ".log");
    const EnnenLatausta ennen = muistaEnnenLatausta(t.levelit, t.asetukset, loki);
    if (loki) {
        in.reset();
        lueBattleLoki(t, nimi);
        t.viimeisinLoki = nimi;
    } else {
        lueStats(in->virta(), t.levelit, t.uusiOletus, t.ulos());
        in.reset();
    }
    t.ulos() << latausraporttiTeksti(
        laskeLatausraportti(ennen, t.levelit, t.asetukset, t.pistetaulukko, loki));
    t.uusiOletus = true;
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

namespace {

// The level the typed times go to: its number in the collection, or -1 for a new level of
// the name left in `levelNimi`; none when no name was given.
std::optional<long> kysyLevel(Tila &t, std::string &levelNimi) {
    if (!t.levelit.empty())
        tulostaLevelit(t, false);
    t.konsoli.kehota(t.levelit.empty() ? "Give the level's name: "
                                       : "Give the level's name or it's number: ");
    levelNimi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(levelNimi)) {
        t.ulos() << "Can't create or find level.\n";
        return std::nullopt;
    }
    if (t.levelit.empty())
        return -1;
    const long valittu = valitseLevel(t.levelit, levelNimi);
    if (valittu >= 0) {
        const Level &l = t.levelit[static_cast<size_t>(valittu)];
        t.ulos() << "Level " << l.annaNimi() << " found, current times: \n";
        l.tulostaAjot(t.ulos(), t.asetukset, false, false);
        t.ulos() << "\n";
        l.tulostaAjot(t.ulos(), t.asetukset, true, false);
    } else {
        t.ulos() << "Level not found, creating new. \n";
    }
    return valittu;
}

// One typed time and name; none, with the message, when either is not given.
std::optional<Ajo> kysyAjo(Tila &t, bool ensimmainen) {
    t.konsoli.kehota("Give the new time: ");
    Ajo ajo;
    ajo.aika.etsiaika(t.konsoli.lueRivi(), true, false);
    if (ajo.aika.nolla()) {
        t.ulos() << (ensimmainen ? "Can't add time, aborting. "
                                 : "New time wasn't given, aborting. ")
                 << "\n";
        return std::nullopt;
    }
    t.konsoli.kehota("Give the player name: ");
    ajo.nimi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(ajo.nimi)) {
        t.ulos() << "Can't add time, aborting. \n";
        return std::nullopt;
    }
    return ajo;
}

} // namespace

void lisaaAikojaKasin(Tila &t) {
    std::string levelNimi;
    const std::optional<long> level = kysyLevel(t, levelNimi);
    if (!level)
        return;
    long valittu = *level;
    for (bool ensimmainen = true;; ensimmainen = false) {
        std::optional<Ajo> ajo = kysyAjo(t, ensimmainen);
        if (!ajo)
            return;
        t.uusiOletus = true;
        if (t.asetukset.lihavoiUudet)
            kysyVanhaUusi(t);
        ajo->uusi = t.uusiOletus;
        if (valittu >= 0) {
            t.levelit[static_cast<size_t>(valittu)].lisaaAjo(*ajo);
        } else {
            Level l(levelNimi);
            l.lisaaAjo(*ajo);
            t.levelit.push_back(std::move(l));
            valittu = static_cast<long>(t.levelit.size() - 1);
        }
        t.ulos() << "Time added successfully. If you want to give more times to this level,\n"
                 << "give now the next time or press just enter to exit to main menu. \n";
    }
}

} // namespace vt
