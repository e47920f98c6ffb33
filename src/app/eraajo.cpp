// The batch commands: load the files of the command line, write one output, exit.
#include "app/eraajo.h"

#include "app/tila.h"
#include "app/valikko.h"
#include "battle/battletiedosto.h"
#include "cup/cuptaulukot.h"
#include "model/sivutiedostot.h"
#include "stats/latausraportti.h"
#include "stats/luestats.h"
#include "stats/tulostahtml.h"
#include "stats/tulostastats.h"
#include "util/syote.h"
#include "util/tallennuspolku.h"
#include "util/teksti.h"
#include "util/tiedosto.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <system_error>
#include <thread>

namespace vt {

const char *const LYHYT_KAYTTO =
    "Usage: vaskitaulu [stat|html|cup|battles|show] [OPTION]... FILE... (see vaskitaulu --help)\n";

namespace {

namespace fs = std::filesystem;

const char *const OHJELMA = "vaskitaulu";

// The console of a quiet run.
class Tyhjapuskuri : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char *, std::streamsize n) override { return n; }
};

void virhe(std::ostream &virheet, const std::string &tiedosto, const std::string &syy) {
    virheet << OHJELMA << ": " << tiedosto << ": " << syy << "\n";
}

std::string syy(int numero) { return std::error_code(numero, std::generic_category()).message(); }

// Why a name that option 1 would not find does not open for reading.
std::string lukuvirheenSyy(const std::string &nimi) {
    std::error_code e;
    const fs::file_status s = fs::status(nimi, e);
    if (e)
        return e.message();
    if (fs::is_directory(s))
        return syy(EISDIR);
    errno = 0;
    std::ifstream koe(nimi, std::ios::binary);
    return errno ? syy(errno) : syy(EACCES);
}

// The print options, cup points and nick aliases: the files named on the command line must
// be read; the defaults in the working folder are optional, as for the menu.
bool lueSivut(Tila &t, const Erakomento &k, std::ostream &virheet) {
    for (const auto *annettu : {&k.asetustiedosto, &k.pistetiedosto, &k.nimitiedosto})
        if (*annettu && katsoTiedosto(**annettu) != Avaus::Auki) {
            virhe(virheet, **annettu,
                  katsoTiedosto(**annettu) == Avaus::EiTavallinen ? "not a regular file"
                                                                  : lukuvirheenSyy(**annettu));
            return false;
        }
    t.asetukset = Tulostusasetukset();
    lueAsetustiedosto(k.asetustiedosto.value_or(ASETUSTIEDOSTO), t.asetukset);
    for (const auto &[kohta, arvo] : k.asetukset)
        t.asetukset.asetaKohta(kohta, arvo);
    const std::string pisteet = k.pistetiedosto.value_or(PISTETIEDOSTO);
    if (luePistetiedosto(pisteet, t.pistetaulukko))
        virhe(virheet, pisteet, "Points must be in range 0 - 1000.");
    if (t.pistetaulukko.empty())
        t.pistetaulukko = oletusPisteet();
    t.nimitiedosto = k.nimitiedosto.value_or(NIMITIEDOSTO);
    return true;
}

// One file of the command line, found and loaded as option 1 does; the report goes to the
// console.
bool lataa(Tila &t, const std::string &kirjoitettu, std::ostream &virheet) {
    std::string nimi, eiTavallinen;
    for (const char *paate : {"", ".txt", ".log"}) {
        const Avaus a = katsoTiedosto(kirjoitettu + paate);
        if (a == Avaus::Auki) {
            nimi = kirjoitettu + paate;
            break;
        }
        if (a == Avaus::EiTavallinen && eiTavallinen.empty())
            eiTavallinen = kirjoitettu + paate;
    }
    if (nimi.empty()) {
        if (!eiTavallinen.empty())
            virhe(virheet, eiTavallinen, "not a regular file");
        else
            virhe(virheet, kirjoitettu, lukuvirheenSyy(kirjoitettu));
        return false;
    }
    const bool loki = loytyyko(nimi, ".log");
    const EnnenLatausta ennen = muistaEnnenLatausta(t.levelit, t.asetukset, loki);
    if (loki) {
        lueBattleLoki(t, nimi);
        t.viimeisinLoki = nimi;
    } else {
        errno = 0;
        Syote in(nimi);
        if (in.auki())
            lueStats(in.virta(), t.levelit, t.uusiOletus, t.ulos());
        if (!in.auki() || in.virta().bad()) {
            virhe(virheet, nimi, syy(errno ? errno : EIO));
            return false;
        }
    }
    t.ulos() << latausraporttiTeksti(
        laskeLatausraportti(ennen, t.levelit, t.asetukset, t.pistetaulukko, loki));
    t.uusiOletus = true;
    return true;
}

std::string teeStats(Tila &t, const Erakomento &) {
    std::ostringstream o;
    tulostaStats(o, t.levelit, t.asetukset, true, t.pistetaulukko, t.ulos(), t.kello);
    return o.str();
}

std::string teeHtml(Tila &t, const Erakomento &k) {
    const std::string otsikko =
        k.otsikko.value_or(k.tuloste == "-" ? OLETUSTITLE : oletusOtsikko(k.tuloste));
    std::ostringstream o;
    tulostaHtml(o, t.levelit, t.asetukset, true, otsikko, t.pistetaulukko, URL, t.ulos(), t.kello);
    return o.str();
}

std::string teeCup(Tila &t, const Erakomento &k) {
    std::ostringstream o;
    if (k.level > 0) {
        tulostaYhdenKentanCupPisteet(o, k.level - 1, t.levelit, t.asetukset, t.pistetaulukko,
                                     t.kello);
        return o.str();
    }
    // The team table needs team rows whatever the options say.
    Tulostusasetukset asetukset = t.asetukset;
    asetukset.tiimit = asetukset.tiimit || k.tiimit;
    tulostaKaikkiCupPisteet(o, t.levelit, asetukset, t.pistetaulukko, k.tiimit, !k.eiTietoja,
                            t.ulos(), t.kello);
    return o.str();
}

std::string teeBattlet(Tila &t, const Erakomento &k) {
    const BattleTiedosto b = teeBattleTiedosto(t.levelit, k.html, k.bonus, t.ulos(), t.kello);
    t.ulos() << "Writing to file...\n";
    return b.alku + b.keski + b.loppu;
}

std::string teeNaytto(Tila &t, const Erakomento &) {
    std::ostringstream o;
    tulostaStats(o, t.levelit, t.asetukset, false, t.pistetaulukko, t.ulos(), t.kello);
    return o.str();
}

// The commands, as the menu's table: name, whether it needs levels, and what it writes.
struct Erakasittely {
    const char *nimi;
    bool tarvitseeLeveleita;
    std::string (*tee)(Tila &, const Erakomento &);
};

const Erakasittely KASITTELYT[] = {
    {"stat", true, teeStats},      {"html", true, teeHtml},   {"cup", true, teeCup},
    {"battles", true, teeBattlet}, {"show", true, teeNaytto},
};

// The whole job but the writing: side files, the files in order, then the output's bytes.
int rakenna(const Erakomento &k, std::ostream &konsoli, const Kello &kello, std::ostream &virheet,
            std::string &sisalto) {
    // A battle log's first question answered with Enter: every battle of the log is added.
    std::istringstream vastaukset(std::string(k.tiedostot.size(), '\n'));
    Konsoli kons(vastaukset, konsoli, false);
    Tila t(kons, kello);
    t.uusiOletus = k.uusi;
    if (!lueSivut(t, k, virheet))
        return 1;
    for (const std::string &nimi : k.tiedostot)
        if (!lataa(t, nimi, virheet))
            return 1;
    const Erakasittely *kasittely = nullptr;
    for (const Erakasittely &e : KASITTELYT)
        if (k.komento == e.nimi)
            kasittely = &e;
    if (!kasittely)
        return 2;
    if (kasittely->tarvitseeLeveleita && t.levelit.empty()) {
        virheet << OHJELMA << ": No levels.\n";
        return 1;
    }
    if (k.level > t.levelit.size()) {
        virheet << OHJELMA << ": --level " << k.level << ": the files hold " << t.levelit.size()
                << " levels\n"
                << LYHYT_KAYTTO;
        return 2;
    }
    sisalto = kasittely->tee(t, k);
    return 0;
}

// Writes the output: standard output directly; a file as util/tallennuspolku writes a batch
// output.
bool kirjoita(const std::string &tuloste, const std::string &sisalto, std::ostream &out,
              std::ostream &virheet) {
    if (tuloste == "-") {
        errno = 0;
        out.write(sisalto.data(), static_cast<std::streamsize>(sisalto.size()));
        out.flush();
        if (!out)
            virhe(virheet, "standard output", syy(errno ? errno : EIO));
        return static_cast<bool>(out);
    }
    int virhenumero = 0;
    if (kirjoitaTuloste(
            tuloste, [&](std::ostream &o) { o << sisalto; }, virhenumero) == Kirjoitus::Onnistui)
        return true;
    virhe(virheet, tuloste, syy(virhenumero));
    return false;
}

volatile std::sig_atomic_t lopetettu = 0;

extern "C" void merkitseLopetus(int) { lopetettu = 1; }

// What tells that an input changed: its size and time of last change, or that it is missing.
using Leima = std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>;

Leima leimat(const std::vector<std::string> &nimet) {
    Leima r;
    for (const std::string &kirjoitettu : nimet)
        for (const char *paate : {"", ".txt", ".log"}) {
            std::error_code e;
            const std::string nimi = kirjoitettu + paate;
            if (!fs::is_regular_file(nimi, e))
                continue;
            r[nimi] = {fs::file_size(nimi, e), fs::last_write_time(nimi, e)};
            break;
        }
    return r;
}

// Waits about a second in short steps; false when a signal asked to end.
bool odota() {
    for (int i = 0; i < 20 && !lopetettu; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return !lopetettu;
}

// Watches the inputs and writes the output again whenever its bytes (the generator's clock
// aside) would change, until SIGINT or SIGTERM.
int seuraa(const Erakomento &k, std::ostream &konsoli, std::ostream &out, std::ostream &virheet,
           std::string kirjoitettu, std::string kellonaika, Leima edelliset) {
    while (odota()) {
        Leima nyt = leimat(k.tiedostot);
        if (nyt == edelliset)
            continue;
        edelliset = std::move(nyt);
        // Built with the clock of the page written last: the same bytes mean nothing changed.
        std::string sisalto;
        const Kello vanha = [&kellonaika] { return kellonaika; };
        if (rakenna(k, konsoli, vanha, virheet, sisalto) != 0 || sisalto == kirjoitettu)
            continue;
        // The same files again with the clock of now; their report was given just above.
        const std::string uusiAika = jarjestelmanKello()();
        Tyhjapuskuri tyhja;
        std::ostream hiljaa(&tyhja);
        if (rakenna(
                k, hiljaa, [&uusiAika] { return uusiAika; }, virheet, sisalto) != 0)
            continue;
        if (kirjoita(k.tuloste, sisalto, out, virheet)) {
            kirjoitettu = std::move(sisalto);
            kellonaika = uusiAika;
        }
    }
    return 0;
}

} // namespace

int ajaErakomento(const Erakomento &k, std::ostream &out, std::ostream &virheet) {
    if (k.tuloste != "-" && !k.tuloste.empty() && !k.pakota) {
        std::error_code e;
        if (fs::exists(fs::symlink_status(k.tuloste, e))) {
            virhe(virheet, k.tuloste, syy(EEXIST) + " (-f replaces it)");
            return 1;
        }
    }
    if (k.seuraa) {
        std::signal(SIGINT, merkitseLopetus);
        std::signal(SIGTERM, merkitseLopetus);
    }
    Tyhjapuskuri tyhja;
    std::ostream hiljainen(&tyhja);
    std::ostream &konsoli = k.hiljaa ? hiljainen : virheet;
    const Leima alussa = leimat(k.tiedostot);
    const std::string kellonaika = jarjestelmanKello()();
    std::string sisalto;
    if (const int tila = rakenna(
            k, konsoli, [&kellonaika] { return kellonaika; }, virheet, sisalto))
        return tila;
    if (!kirjoita(k.komento == "show" ? "-" : k.tuloste, sisalto, out, virheet))
        return 1;
    if (!k.seuraa)
        return 0;
    return seuraa(k, konsoli, out, virheet, sisalto, kellonaika, alussa);
}

} // namespace vt
