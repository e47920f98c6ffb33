// Option 16: one level as an event of the series, its standing and its results sheet.
#include "series/sorakisa.h"
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "series/recit.h"
#include "series/rekisteroinnit.h"
#include "util/teksti.h"
#include "util/tiedosto.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

namespace vt {

namespace {

std::vector<Nickit> lueNickit() {
    std::vector<Nickit> nickit;
    std::ifstream in(NIMITIEDOSTO, std::ios::binary);
    if (voiLukea(NIMITIEDOSTO) && in.is_open())
        lueNimiTiedosto(in, nickit);
    return nickit;
}

// The players file by any path counts as the players file.
bool onPelaajatiedosto(const std::string &nimi) {
    std::error_code virhe;
    return std::filesystem::equivalent(nimi, REKISTEROINTITIEDOSTO, virhe) && !virhe;
}

// A side file that could not be rewritten counts as a failed save of the session.
Sivutiedostot sivutiedostot(Tila &t) {
    return {REKISTEROINTITIEDOSTO, KANSALLISUUSTIEDOSTO, lueTiedosto,
            [&t](const std::string &nimi, const std::string &sisalto) {
                const bool ok = korvaaTiedosto(nimi, sisalto);
                t.tiedostoVirheita = t.tiedostoVirheita || !ok;
                return ok;
            }};
}

// Each reader opens the file anew; one that does not open is passed over.
template <class F> void lueTiedostosta(const std::string &nimi, F lukija) {
    if (!voiLukea(nimi))
        return;
    std::ifstream in(nimi, std::ios::binary);
    if (in.is_open())
        lukija(in);
}

void lueRekisteroinnitTiedostosta(Tila &t, Level &level, const std::string &nimi) {
    lueTiedostosta(nimi, [&](std::istream &in) {
        lueRekisteroinnit(level, in, onPelaajatiedosto(nimi), lueNickit(), sivutiedostot(t),
                          t.ulos());
    });
}

void lueRecitTiedostosta(Tila &t, Level &level, const std::string &nimi) {
    lueTiedostosta(nimi,
                   [&](std::istream &in) { readUploadedRecs(level, in, lueNickit(), t.ulos()); });
}

void tarkistaTiedostosta(Tila &t, Level &level, const std::string &nimi) {
    lueTiedostosta(nimi, [&](std::istream &in) { tarkistaReccienOikeatAjat(level, in, t.ulos()); });
}

void lueAutomaattisesti(Tila &t, Level &level) {
    t.ulos() << "Reading automatically data from files ";
    if (!t.viimeisinLoki.empty())
        t.ulos() << t.viimeisinLoki << ", ";
    t.ulos() << REKISTEROINTITIEDOSTO << ", " << RECTIEDOSTO << " and " << KANSALLISUUSTIEDOSTO
             << "...\n";
    if (!t.viimeisinLoki.empty()) {
        lueRekisteroinnitTiedostosta(t, level, t.viimeisinLoki);
        lueRecitTiedostosta(t, level, t.viimeisinLoki);
        tarkistaTiedostosta(t, level, RECTIEDOSTO);
    }
    lueRekisteroinnitTiedostosta(t, level, REKISTEROINTITIEDOSTO);
}

void lueValitusta(Tila &t, Level &level) {
    t.konsoli.kehota("Give the file name: ");
    std::string nimi = lyhenna(t.konsoli.lueRivi());
    if (!voiLukea(nimi)) {
        if (!voiLukea(nimi + ".txt")) {
            t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
            return;
        }
        nimi += ".txt";
    }
    lueRecitTiedostosta(t, level, nimi);
    lueRekisteroinnitTiedostosta(t, level, nimi);
    tarkistaTiedostosta(t, level, nimi);
}

void hyvaksyKasin(Tila &t, Level &level) {
    t.ulos() << "Select the player you want to accept to results: \n";
    std::vector<Ajo> ajot;
    level.annaAjotJarjestyksessa(ajot);
    std::erase_if(ajot, tuloksissa);
    for (size_t i = 0; i < ajot.size(); ++i)
        t.ulos() << (i + 1) << ". "
                 << (ajot[i].rekisteroity ? ajot[i].rekisteroityNimi : ajot[i].nimi) << "\n";
    if (ajot.empty()) {
        t.ulos() << "All players already accepted.\n";
        tauko(t.konsoli);
        return;
    }
    const unsigned n =
        kysyluku(t.konsoli, "Give the player's number you want to accept (0 aborts): ", 0,
                 static_cast<unsigned>(ajot.size()), false);
    if (n != 0)
        level.accept(ajot[n - 1].nimi, ajot[n - 1].aika);
}

std::string kysyOletuksella(Tila &t, const std::string &kysymys, const std::string &oletus) {
    t.konsoli.kehota(kysymys + " (default: " + oletus + "): ");
    const std::string v = lyhenna(t.konsoli.lueRivi());
    return v.empty() ? oletus : v;
}

// The results sheet; true when it was written.
bool kirjoitaSorakisa(Tila &t, const Level &level) {
    std::vector<Ajo> ajot;
    level.annaAjotJarjestyksessa(ajot);
    SorakisanOtsikko o;
    o.paivamaara = kysyOletuksella(
        t, "Give the date", level.paivamaara.empty() ? haePvm(t.kello, false) : level.paivamaara);
    o.aika = kysyOletuksella(t, "Give the time",
                             level.alkuaika.empty() ? haeKello(t.kello) : level.alkuaika);
    o.tekija = kysyOletuksella(t, "Give the designer of this lev", level.annaPitaja());
    o.numero = tapahtumanNumero(level.annaNimi());
    const std::string oletus =
        sorakisanOletusnimi(o.numero, TULOSTIEDOSTO_ALKU, tiedostoOnOlemassa);
    t.konsoli.kehota("Give the file name: (default: " + oletus + "): ");
    std::string nimi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(nimi))
        nimi = oletus;
    if (nimi.find('.') == std::string::npos)
        nimi += ".txt";
    if (tiedostoOnOlemassa(nimi) &&
        kysyluku(t.konsoli, "File " + nimi + " already exists, overwrite? (1=yes, 2=no): ", 1, 2,
                 false) == 2) {
        t.ulos() << "Saving cancelled.\n";
        return false;
    }
    switch (kirjoitaTiedostoon(
        nimi, [&](std::ostream &out) { tulostaSorakisa(out, ajot, o, t.kello); })) {
    case Kirjoitus::EiAukea:
        t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
        return false;
    case Kirjoitus::Epaonnistui:
        t.tiedostoVirhe() << "Saving file " << nimi << " failed. \n";
        return false;
    case Kirjoitus::Onnistui:
        break;
    }
    return true;
}

} // namespace

void teeSorakisa(Tila &t) {
    size_t valittu = 0;
    if (t.levelit.size() > 1) {
        tulostaLevelit(t, true);
        const unsigned n =
            kysyluku(t.konsoli, "Give the level's number you want to print: (0 aborts): ", 0,
                     static_cast<unsigned>(t.levelit.size()), false);
        if (n == 0) {
            t.ulos() << "Sorakisa statistics making aborted.\n";
            return;
        }
        valittu = n - 1;
    }
    Level &level = t.levelit[valittu];
    lueAutomaattisesti(t, level);
    tauko(t.konsoli);
    for (;;) {
        tyhjennaruutu(t.konsoli);
        std::vector<Ajo> ajot;
        level.annaAjotJarjestyksessa(ajot);
        tulostaTilanne(t.ulos(), ajot);
        t.ulos() << "\nChoose: \n"
                 << "1. Reload registerations/recs/times from default files\n"
                 << "2. Read registerations/recs/times from a file\n"
                 << "3. Manually accept some of the players\n"
                 << "4. Write results to file\n"
                 << "5. Return to main menu\n";
        switch (kysyluku(t.konsoli, "Give a number (1-5): ", 1, 5, false)) {
        case 1:
            lueAutomaattisesti(t, level);
            break;
        case 2:
            lueValitusta(t, level);
            break;
        case 3:
            hyvaksyKasin(t, level);
            break;
        case 4:
            if (kirjoitaSorakisa(t, level))
                t.ulos() << "Sorakisa statistics generated. \n";
            tauko(t.konsoli);
            break;
        default:
            return;
        }
    }
}

} // namespace vt
