#include "util/tallennuspolku.h"

#include "util/teksti.h"

#include <cerrno>
#include <ostream>
#include <sys/stat.h>

namespace vt {

std::string vapaaNimi(const std::string &alku, const std::string &paate,
                      const std::function<bool(const std::string &)> &varattu) {
    for (unsigned k = 1; k <= 99; ++k) {
        std::string nimi = alku + int2string2(k) + paate;
        if (!varattu(nimi))
            return nimi;
    }
    return alku + paate;
}

bool Tallennus::kysyNimi(const std::string &ehdotus, const std::string &paate) {
    konsoli_.kehota("Give the file name: (default: " + ehdotus + "): ");
    nimi_ = lyhenna(konsoli_.lueRivi());
    kirjoitettu_ = !onkotyhja(nimi_);
    if (!kirjoitettu_)
        nimi_ = ehdotus;
    if (nimi_.find('.') == std::string::npos)
        nimi_ += paate;
    return !nimiVarattu(nimi_) || saaKorvata();
}

bool Tallennus::vaihdaNimi(const std::string &uusi) {
    if (uusi == nimi_)
        return true;
    nimi_ = uusi;
    vaihdettu_ = true;
    return !nimiVarattu(nimi_) || saaKorvata();
}

bool Tallennus::saaKorvata() {
    if (kysyluku(konsoli_, "File " + nimi_ + " already exists, overwrite? (1=yes, 2=no): ", 1, 2,
                 false) == 1)
        return true;
    konsoli_.ulos() << "Saving cancelled.\n";
    return false;
}

bool Tallennus::varaa() {
    // A proposed or changed name must not lead the file out of the folder through a link.
    varaus_.emplace(nimi_, kirjoitettu_ && !vaihdettu_);
    if (varaus_->onnistui())
        return true;
    virhe_() << "Can't open file " << nimi_ << "\n";
    return false;
}

void Tallennus::kysy(const std::function<void()> &kysymykset) {
    try {
        kysymykset();
    } catch (const SyoteLoppui &) {
        if (varaus_)
            varaus_->peru();
        throw;
    }
}

bool Tallennus::kirjoita(const std::function<void(std::ostream &)> &kirjoittaja,
                         const Tallennusraportti &raportti) {
    switch (kirjoitaTiedostoon(nimi_, kirjoittaja)) {
    case Kirjoitus::Onnistui:
        if (raportti.kerroOnnistuminen)
            konsoli_.ulos() << "File " << nimi_ << " saved successfully. \n";
        return true;
    case Kirjoitus::EiAukea:
        if (!raportti.eiSyntynytTauolla) {
            virhe_() << "Can't open file " << nimi_ << "\n";
            return false;
        }
        virhe_() << "Output file couldn't be made. \n";
        tauko(konsoli_);
        break;
    case Kirjoitus::Epaonnistui:
        break;
    }
    virhe_() << "Saving file " << nimi_ << " failed. \n";
    return false;
}

bool tallennaDialogilla(Konsoli &konsoli, const std::function<std::ostream &()> &virhe,
                        const std::string &ehdotus, const std::string &paate,
                        const std::function<void(const std::string &nimi)> &kysymykset,
                        const std::function<void(std::ostream &out)> &kirjoita) {
    Tallennus t(konsoli, virhe);
    if (!t.kysyNimi(ehdotus, paate) || !t.varaa())
        return false;
    t.kysy([&] { kysymykset(t.nimi()); });
    return t.kirjoita(kirjoita);
}

Kirjoitus kirjoitaTuloste(const std::string &nimi,
                          const std::function<void(std::ostream &)> &kirjoita, int &virhenumero) {
    struct stat s;
    const bool on = ::stat(nimi.c_str(), &s) == 0;
    if (on && S_ISDIR(s.st_mode)) {
        virhenumero = EISDIR;
        return Kirjoitus::EiAukea;
    }
    errno = 0;
    Kirjoitus k;
    if (!on || S_ISREG(s.st_mode)) {
        k = korvaaKirjoittaen(nimi, kirjoita);
        // Not replaced at all: a read-only file, or no room for a file beside it.
        if (k == Kirjoitus::EiAukea && errno == 0)
            errno = EACCES;
    } else {
        k = kirjoitaTiedostoon(nimi, kirjoita);
    }
    virhenumero = k == Kirjoitus::Onnistui ? 0 : (errno ? errno : EIO);
    return k;
}

} // namespace vt
