// Options 10-15: the saving dialogue and the writers it calls.
#include "app/tila.h"
#include "app/vakiot.h"
#include "cup/cuptaulukot.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"
#include "util/teksti.h"
#include "util/tiedosto.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>

namespace vt {

bool tiedostoOnOlemassa(const std::string &nimi) {
    std::ifstream in(nimi, std::ios::binary);
    return in.is_open();
}

namespace {

// What one saving option adds to the dialogue.
struct Tallennus {
    std::string paate = ".txt";
    std::string alku = TULOSTIEDOSTO_ALKU;
    // Questions before a file name is asked; false ends the command.
    std::function<bool()> ennen = [] { return true; };
    // Questions once the file is known to be writable.
    std::function<void(const std::string &nimi)> jalkeen = [](const std::string &) {};
    std::function<void(std::ostream &out)> kirjoita;
};

void kaySaveDialogi(Tila &t, Tallennus &s) {
    if (t.levelit.empty()) {
        t.ulos() << "No levels.\n";
        return;
    }
    if (!s.ennen())
        return;
    std::string ehdotus = s.alku + s.paate;
    for (unsigned k = 1; k <= 99; ++k) {
        std::string nimi = s.alku + int2string2(k) + s.paate;
        if (!tiedostoOnOlemassa(nimi)) {
            ehdotus = nimi;
            break;
        }
    }
    t.konsoli.kehota("Give the file name: (default: " + ehdotus + "): ");
    std::string nimi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(nimi))
        nimi = ehdotus;
    if (nimi.find('.') == std::string::npos)
        nimi += s.paate;
    const bool oli = tiedostoOnOlemassa(nimi);
    if (oli && kysyluku(t.konsoli, "File " + nimi + " already exists, overwrite? (1=yes, 2=no): ",
                        1, 2, false) == 2) {
        t.ulos() << "Saving cancelled.\n";
        return;
    }
    {
        // Checked without emptying it, so that a question left unanswered changes nothing.
        std::ofstream koe(nimi, std::ios::binary | std::ios::app);
        if (!koe.is_open()) {
            t.ulos() << "Can't open file " << nimi << "\n";
            return;
        }
    }
    try {
        s.jalkeen(nimi);
    } catch (const SyoteLoppui &) {
        if (!oli)
            std::remove(nimi.c_str());
        throw;
    }
    switch (kirjoitaTiedostoon(nimi, s.kirjoita)) {
    case Kirjoitus::EiAukea:
        t.ulos() << "Can't open file " << nimi << "\n";
        break;
    case Kirjoitus::Onnistui:
        t.ulos() << "File " << nimi << " saved successfully. \n";
        break;
    case Kirjoitus::Epaonnistui:
        t.ulos() << "Saving file " << nimi << " failed. \n";
        break;
    }
}

} // namespace

void tallenna(Tila &t, unsigned optio) {
    Tallennus s;
    switch (optio) {
    case 10:
        s.kirjoita = [&](std::ostream &out) {
            tulostaStats(out, t.levelit, t.asetukset, true, t.pistetaulukko, t.ulos(), t.kello);
        };
        break;
    case 11: {
        s.paate = ".html";
        s.alku = HTMLTIEDOSTO_ALKU;
        auto otsikko = std::make_shared<std::string>();
        s.jalkeen = [&t, otsikko](const std::string &nimi) {
            std::string oletus = nimi.substr(0, nimi.find('.'));
            if (oletus.find(HTMLTIEDOSTO_ALKU) != std::string::npos)
                oletus = OLETUSTITLE;
            t.konsoli.kehota("Give a title to the html (default: " + oletus + "): ");
            *otsikko = lyhenna(t.konsoli.lueRivi());
            if (onkotyhja(*otsikko))
                *otsikko = oletus;
        };
        s.kirjoita = [&t, otsikko](std::ostream &out) {
            tulostaHtml(out, t.levelit, t.asetukset, true, *otsikko, t.pistetaulukko, URL, t.ulos(),
                        t.kello);
        };
        break;
    }
    case 12: {
        auto valittu = std::make_shared<unsigned>(0);
        s.ennen = [&t, valittu] {
            t.ulos() << "Current levels: \n";
            for (size_t i = 0; i < t.levelit.size(); ++i)
                t.ulos() << "  Level " << (i + 1) << ", " << t.levelit[i].annaNimi() << ":\n";
            unsigned n =
                kysyluku(t.konsoli, "Give the level's number you want to print: (0 aborts): ", 0,
                         static_cast<unsigned>(t.levelit.size()), false);
            if (n == 0) {
                t.ulos() << "Cup stats saving aborted.\n";
                return false;
            }
            *valittu = n - 1;
            return true;
        };
        s.kirjoita = [&t, valittu](std::ostream &out) {
            tulostaYhdenKentanCupPisteet(out, *valittu, t.levelit, t.asetukset, t.pistetaulukko,
                                         t.kello);
        };
        break;
    }
    case 13:
    case 14: {
        auto tiedot = std::make_shared<bool>(true);
        s.ennen = [&t, tiedot] {
            for (;;) {
                t.konsoli.kehota("Do you want to print details? (1=yes, 2=no) (default = 1): ");
                std::string v = lyhenna(t.konsoli.lueRivi());
                if (v == "1" || v.empty()) {
                    *tiedot = true;
                    return true;
                }
                if (v == "2") {
                    *tiedot = false;
                    return true;
                }
            }
        };
        const bool tiimit = optio == 14;
        s.kirjoita = [&t, tiedot, tiimit](std::ostream &out) {
            // The team table needs team rows whatever option 9 says; the setting stays.
            Tulostusasetukset asetukset = t.asetukset;
            if (tiimit)
                asetukset.tiimit = true;
            tulostaKaikkiCupPisteet(out, t.levelit, asetukset, t.pistetaulukko, tiimit, *tiedot,
                                    t.ulos(), t.kello);
        };
        break;
    }
    default:
        t.ulos() << "This option is not available in this version.\n";
        return;
    }
    kaySaveDialogi(t, s);
}

} // namespace vt
