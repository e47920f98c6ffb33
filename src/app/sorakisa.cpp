// Option 16: one level as an event of the series, its standing and its results sheet.
#include "series/sorakisa.h"
#include "app/tallennus.h"
#include "app/vakiot.h"
#include "series/recit.h"
#include "series/rekisteroinnit.h"
#include "util/syote.h"
#include "util/tallennuspolku.h"
#include "util/teksti.h"
#include "util/tiedosto.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <sstream>
#include <system_error>

namespace vt {

namespace {

// The nick aliases; the file is optional, and one that is no regular file is not waited on.
std::vector<Nickit> lueNickit() {
    std::vector<Nickit> nickit;
    Syote in(NIMITIEDOSTO);
    if (in.auki())
        lueNimiTiedosto(in.virta(), nickit);
    return nickit;
}

// The players file by any path counts as the players file.
bool onPelaajatiedosto(const std::string &nimi) {
    std::error_code virhe;
    return std::filesystem::equivalent(nimi, REKISTEROINTITIEDOSTO, virhe) && !virhe;
}

// A side file that could not be read or rewritten counts as a failed file of the session.
Sivutiedostot sivutiedostot(Tila &t) {
    return {REKISTEROINTITIEDOSTO, KANSALLISUUSTIEDOSTO, lueTiedosto,
            [&t](const std::string &nimi, const std::string &sisalto) {
                const bool ok = korvaaTiedosto(nimi, sisalto);
                t.tiedostoVirheita = t.tiedostoVirheita || !ok;
                return ok;
            },
            [&t](const std::string &nimi) {
                OmaTiedosto f = lueOmaTiedosto(nimi);
                t.tiedostoVirheita = t.tiedostoVirheita || !f.kaytettavissa();
                return f;
            }};
}

// Each reader opens the file anew; one that does not open is passed over, and one that is not
// a regular file is named and counts as a failed file of the session.
template <class F>
void lueTiedostosta(Tila &t, std::ostream &konsoli, const std::string &nimi, F lukija) {
    Syote in(nimi);
    if (in.auki()) {
        lukija(in.virta());
    } else if (in.tila() == Avaus::EiTavallinen) {
        konsoli << eiTavallinenViesti(nimi) << "\n";
        t.tiedostoVirheita = true;
    }
}

// One reading pass: the side files locked against another copy of the program, read once,
// changed in memory by every reader of the pass and written once at its end.
class Kierros {
  public:
    explicit Kierros(Tila &t)
        : t_(t), lukot_(lukitse()), nickit_(lueNickit()), kierros_(sivutiedostot(t), nickit_) {}
    // Writes the side files and prints what the pass did; the locks go with the object.
    void paata() { kierros_.paata(t_.ulos()); }

    void rekisteroinnit(Level &level, const std::string &nimi) {
        if (nimi == REKISTEROINTITIEDOSTO || onPelaajatiedosto(nimi)) {
            // The players file as this pass has made it so far.
            kierros_.luePelaajatiedosto(level);
            return;
        }
        lueTiedostosta(t_, ulos(), nimi, [&](std::istream &in) { kierros_.lue(level, in, false); });
    }
    void recit(Level &level, const std::string &nimi) {
        lueTiedostosta(t_, ulos(), nimi,
                       [&](std::istream &in) { readUploadedRecs(level, in, nickit_, ulos()); });
    }
    void tarkista(Level &level, const std::string &nimi) {
        lueTiedostosta(t_, ulos(), nimi,
                       [&](std::istream &in) { tarkistaReccienOikeatAjat(level, in, ulos()); });
    }
    std::ostream &ulos() { return kierros_.ulos(); }

  private:
    // The lock of each side file, always taken in the same order.
    static std::vector<std::unique_ptr<Lukko>> lukitse() {
        std::vector<std::unique_ptr<Lukko>> r;
        for (const std::string &nimi : {KANSALLISUUSTIEDOSTO, REKISTEROINTITIEDOSTO})
            r.push_back(std::make_unique<Lukko>(nimi));
        return r;
    }

    Tila &t_;
    std::vector<std::unique_ptr<Lukko>> lukot_;
    std::vector<Nickit> nickit_;
    Rekisterointikierros kierros_;
};

void lueAutomaattisesti(Tila &t, Level &level) {
    t.ulos() << "Reading automatically data from files ";
    if (!t.viimeisinLoki.empty())
        t.ulos() << t.viimeisinLoki << ", ";
    t.ulos() << REKISTEROINTITIEDOSTO << ", " << RECTIEDOSTO << " and " << KANSALLISUUSTIEDOSTO
             << "...\n";
    Kierros k(t);
    if (!t.viimeisinLoki.empty()) {
        k.rekisteroinnit(level, t.viimeisinLoki);
        k.recit(level, t.viimeisinLoki);
        k.tarkista(level, RECTIEDOSTO);
    }
    k.rekisteroinnit(level, REKISTEROINTITIEDOSTO);
    k.paata();
}

void lueValitusta(Tila &t, Level &level) {
    t.konsoli.kehota("Give the file name: ");
    std::string nimi = lyhenna(t.konsoli.lueRivi());
    if (katsoTiedosto(nimi) != Avaus::Auki) {
        if (katsoTiedosto(nimi + ".txt") != Avaus::Auki) {
            if (katsoTiedosto(nimi) == Avaus::EiTavallinen)
                t.tiedostoVirhe() << eiTavallinenViesti(nimi) << "\n";
            else if (katsoTiedosto(nimi + ".txt") == Avaus::EiTavallinen)
                t.tiedostoVirhe() << eiTavallinenViesti(nimi + ".txt") << "\n";
            else
                t.tiedostoVirhe() << "Can't open file " << nimi << "\n";
            return;
        }
        nimi += ".txt";
    }
    Kierros k(t);
    k.recit(level, nimi);
    k.rekisteroinnit(level, nimi);
    k.tarkista(level, nimi);
    k.paata();
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
    Tallennus tallennus = menunTallennus(t);
    return tallennus.kysyNimi(sorakisanOletusnimi(o.numero, TULOSTIEDOSTO_ALKU, tiedostoOnOlemassa),
                              ".txt") &&
           tallennus.varaa() &&
           tallennus.kirjoita([&](std::ostream &out) { tulostaSorakisa(out, ajot, o, t.kello); },
                              {.kerroOnnistuminen = false});
}

} // namespace

void teeSorakisa(Tila &t) {
    size_t valittu = 0;
    if (t.levelit.size() > 1) {
        const auto n = kysyTulostettavaLevel(t, "Sorakisa statistics making aborted.\n");
        if (!n)
            return;
        valittu = *n;
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
