#include "series/rekisteroinnit.h"

#include "util/syote.h"
#include "util/teksti.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>
#include <unordered_set>

namespace vt {

namespace {

// The last group among the (group, member) places of a name.
size_t viimeinenRyhma(const std::vector<std::pair<size_t, size_t>> &paikat) {
    size_t viimeinen = 0;
    for (const auto &[g, j] : paikat)
        viimeinen = std::max(viimeinen, g);
    return viimeinen;
}

struct Rekisterointi {
    std::string teksti;       // name and team, as the runs show it
    std::string kansallisuus; // upper-cased, blanks as "_", may be empty
    std::string nimi;         // the name alone, blanks as "_", for the nationalities file
};

// A word of the nationalities file: every blank as "_".
std::string sanaksi(std::string s) {
    for (char &c : s)
        if (onValilyonti(c))
            c = '_';
    return s;
}

std::optional<Rekisterointi> lueRekisterointi(const std::string &rivi) {
    const size_t p = rivi.find('>');
    if (p == std::string::npos || rivi.size() < p + 5)
        return std::nullopt;
    const std::string viesti = lyhenna(rivi.substr(p + 1));
    const std::string iso = toUpper(viesti);
    if (iso.rfind("REGISTER", 0) != 0 && iso.rfind("!REGISTER", 0) != 0)
        return std::nullopt;
    // The whole first word goes, whatever is glued to the keyword.
    size_t k = 0;
    std::string_view ensimmainen;
    seuraavaSana(viesti, k, ensimmainen);
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
    // "great britain" is the group GREAT_BRITAIN: a blank would split it into two words.
    r.kansallisuus = sanaksi(toUpper(lyhenna(r.kansallisuus)));
    r.nimi = sanaksi(lyhenna(r.teksti.substr(0, r.teksti.find('['))));
    return r;
}

// A name the nationalities file can hold: one word that does not open a group.
bool kelpaaJaseneksi(const std::string &nimi) { return !nimi.empty() && nimi[0] != ':'; }

} // namespace

Kansallisuustiedosto::Kansallisuustiedosto(const std::string &sisalto) : raaka_(sisalto) {
    std::size_t kohta = 0;
    for (std::string_view sana; seuraavaSana(sisalto, kohta, sana);) {
        if (sana[0] == ':') {
            ryhmat_.push_back({std::string(sana.substr(1)), {}, 0});
            continue;
        }
        // Words before the first group belong to none.
        if (ryhmat_.empty())
            continue;
        ryhmat_.back().jasenet.push_back({std::string(sana), false});
        ++ryhmat_.back().elossa;
    }
    indeksoi();
}

void Kansallisuustiedosto::indeksoi() {
    paikat_.clear();
    for (size_t g = 0; g < ryhmat_.size(); ++g)
        for (size_t j = 0; j < ryhmat_[g].jasenet.size(); ++j)
            if (!ryhmat_[g].jasenet[j].poistettu)
                paikat_[ryhmat_[g].jasenet[j].nimi].emplace_back(g, j);
}

// The groups of one name joined into the first of them, in file order; removed members dropped.
void Kansallisuustiedosto::yhdista() {
    std::vector<Ryhma> uudet;
    nimella_.clear();
    for (Ryhma &r : ryhmat_) {
        auto [it, uusi] = nimella_.try_emplace(r.nimi, uudet.size());
        if (uusi)
            uudet.push_back({r.nimi, {}, 0});
        Ryhma &kohde = uudet[it->second];
        for (Jasen &j : r.jasenet)
            if (!j.poistettu) {
                kohde.jasenet.push_back(std::move(j));
                ++kohde.elossa;
            }
    }
    ryhmat_ = std::move(uudet);
    yhdistetty_ = true;
    indeksoi();
}

std::optional<bool> Kansallisuustiedosto::siirra(const std::string &nimi,
                                                 const std::string &kansallisuus) {
    auto paikat = paikat_.find(nimi);
    const bool loytyi = paikat != paikat_.end() && !paikat->second.empty();
    // The current nationality: the last group that holds the name.
    const std::string nykyinen = loytyi ? ryhmat_[viimeinenRyhma(paikat->second)].nimi : "";
    if (nykyinen == kansallisuus)
        return std::nullopt;
    // Groups left empty now: gone from the file unless the name comes back to them below.
    std::vector<size_t> tyhjat;
    if (loytyi) {
        for (const auto &[g, j] : paikat->second) {
            ryhmat_[g].jasenet[j].poistettu = true;
            if (--ryhmat_[g].elossa == 0)
                tyhjat.push_back(g);
        }
        paikat->second.clear();
    }
    if (!yhdistetty_) {
        yhdista();
        tyhjat.clear();
        for (size_t g = 0; g < ryhmat_.size(); ++g)
            if (ryhmat_[g].elossa == 0)
                tyhjat.push_back(g);
    }
    size_t g;
    if (auto it = nimella_.find(kansallisuus); it != nimella_.end()) {
        g = it->second;
    } else {
        g = ryhmat_.size();
        ryhmat_.push_back({kansallisuus, {}, 0});
        nimella_.emplace(kansallisuus, g);
    }
    ryhmat_[g].jasenet.push_back({nimi, false});
    ++ryhmat_[g].elossa;
    paikat_[nimi].emplace_back(g, ryhmat_[g].jasenet.size() - 1);
    for (size_t t : tyhjat)
        if (ryhmat_[t].elossa == 0) {
            auto it = nimella_.find(ryhmat_[t].nimi);
            if (it != nimella_.end() && it->second == t)
                nimella_.erase(it);
        }
    muuttunut_ = true;
    return loytyi;
}

std::string Kansallisuustiedosto::teksti() const {
    if (!muuttunut_)
        return raaka_;
    std::string r;
    for (const Ryhma &g : ryhmat_) {
        if (g.elossa == 0)
            continue;
        r += ":" + g.nimi;
        for (const Jasen &j : g.jasenet)
            if (!j.poistettu)
                r += " " + j.nimi;
        r += "\n";
    }
    return r;
}

Pelaajatiedosto::Pelaajatiedosto(const std::string &sisalto, const std::vector<Nickit> &nickit)
    : raaka_(sisalto) {
    std::istringstream in(sisalto);
    std::string rivi;
    while (std::getline(in, rivi)) {
        if (onkotyhja(rivi))
            continue;
        nickilla_[sanoja(rivi, nickit)].push_back(rivit_.size());
        rivit_.push_back({std::move(rivi), false});
    }
}

bool Pelaajatiedosto::korvaa(const std::string &nick, const std::string &rivi) {
    std::vector<size_t> &rivit = nickilla_[nick];
    const bool korvattu = !rivit.empty();
    for (size_t i : rivit)
        rivit_[i].poistettu = true;
    rivit.assign(1, rivit_.size());
    rivit_.push_back({rivi, false});
    muuttunut_ = true;
    return korvattu;
}

std::string Pelaajatiedosto::teksti() const {
    if (!muuttunut_)
        return raaka_;
    std::string r;
    for (const Rivi &rivi : rivit_)
        if (!rivi.poistettu)
            r += rivi.teksti + "\n";
    return r + "\n";
}

Rekisterointikierros::Rekisterointikierros(const Sivutiedostot &tiedostot,
                                           const std::vector<Nickit> &nickit)
    : tiedostot_(tiedostot), nickit_(nickit) {}

void Rekisterointikierros::sulje() {
    if (auki_.tellp() > 0) {
        kohdat_.push_back({auki_.str(), -1});
        auki_.str("");
    }
}

void Rekisterointikierros::paivitetty(Tiedosto t, const std::string &nick, bool paivitetty) {
    sulje();
    const std::string &nimi = t == PELAAJAT ? tiedostot_.pelaajat : tiedostot_.kansallisuudet;
    kohdat_.push_back({"File " + nimi + " updated: Player " + nick +
                           (paivitetty ? " updated." : " added.") + "\n",
                       t});
}

bool Rekisterointikierros::kaytettavissa(Tiedosto t) {
    if (!luettu_[t]) {
        // Read when first needed, once in the pass.
        luettu_[t] = true;
        const std::string &nimi = t == PELAAJAT ? tiedostot_.pelaajat : tiedostot_.kansallisuudet;
        const OmaTiedosto f = tiedostot_.lueOma ? tiedostot_.lueOma(nimi)
                                                : OmaTiedosto{Luku::Luettu, tiedostot_.lue(nimi)};
        if (!f.kaytettavissa())
            auki_ << (f.tila == Luku::EiTavallinen ? nimi + " is not a regular file\n"
                                                   : "Can't read file " + nimi + "\n");
        else if (t == PELAAJAT)
            pelaajat_.emplace(f.sisalto, nickit_);
        else
            kansallisuudet_.emplace(f.sisalto);
    }
    return t == PELAAJAT ? pelaajat_.has_value() : kansallisuudet_.has_value();
}

void Rekisterointikierros::lue(Level &level, std::istream &in, bool onPelaajatiedosto) {
    // Only a nick with runs has anything to register in the level.
    std::unordered_set<std::string> pelaajat;
    for (const Ajo &a : level.ajot())
        pelaajat.insert(a.nimi);
    std::string rivi;
    while (lueRajattuRivi(in, rivi)) {
        if (rivi.find('>') == std::string::npos)
            continue;
        const std::string nick = sanoja(rivi, nickit_);
        // A line without a speaker belongs to nobody.
        if (nick.empty())
            continue;
        const std::optional<Rekisterointi> r = lueRekisterointi(rivi);
        if (!r)
            continue;
        if (pelaajat.count(nick) != 0 && level.rekisteroi(nick, r->teksti))
            auki_ << "Player " << nick << " registered.\n";
        if (!r->kansallisuus.empty() && kelpaaJaseneksi(r->nimi) && kaytettavissa(KANSALLISUUDET))
            if (const std::optional<bool> loytyi =
                    kansallisuudet_->siirra(r->nimi, r->kansallisuus))
                paivitetty(KANSALLISUUDET, nick, *loytyi);
        if (!onPelaajatiedosto && kaytettavissa(PELAAJAT))
            paivitetty(PELAAJAT, nick, pelaajat_->korvaa(nick, rivi));
    }
}

void Rekisterointikierros::luePelaajatiedosto(Level &level) {
    if (!kaytettavissa(PELAAJAT))
        return;
    std::istringstream in(pelaajat_->teksti());
    lue(level, in, true);
}

void Rekisterointikierros::paata(std::ostream &konsoli) {
    sulje();
    bool kirjoitettu[2] = {true, true};
    if (pelaajat_ && pelaajat_->muuttunut())
        kirjoitettu[PELAAJAT] = tiedostot_.kirjoita(tiedostot_.pelaajat, pelaajat_->teksti());
    if (kansallisuudet_ && kansallisuudet_->muuttunut())
        kirjoitettu[KANSALLISUUDET] =
            tiedostot_.kirjoita(tiedostot_.kansallisuudet, kansallisuudet_->teksti());
    for (const Kohta &k : kohdat_) {
        if (k.tiedosto < 0 || kirjoitettu[k.tiedosto])
            konsoli << k.teksti;
        else
            konsoli << "Saving file "
                    << (k.tiedosto == PELAAJAT ? tiedostot_.pelaajat : tiedostot_.kansallisuudet)
                    << " failed. \n";
    }
    kohdat_.clear();
}

void lueRekisteroinnit(Level &level, std::istream &in, bool onPelaajatiedosto,
                       const std::vector<Nickit> &nickit, const Sivutiedostot &tiedostot,
                       std::ostream &konsoli) {
    Rekisterointikierros kierros(tiedostot, nickit);
    kierros.lue(level, in, onPelaajatiedosto);
    kierros.paata(konsoli);
}

std::optional<std::string> siirraKansallisuuteen(const std::string &tiedosto,
                                                 const std::string &nimi,
                                                 const std::string &kansallisuus, bool &loytyi) {
    Kansallisuustiedosto t(tiedosto);
    const std::optional<bool> r = t.siirra(nimi, kansallisuus);
    loytyi = r.value_or(true);
    if (!r)
        return std::nullopt;
    return t.teksti();
}

std::string korvaaPelaajanRivi(const std::string &tiedosto, const std::string &nick,
                               const std::string &rivi, const std::vector<Nickit> &nickit,
                               bool &korvattu) {
    Pelaajatiedosto t(tiedosto, nickit);
    korvattu = t.korvaa(nick, rivi);
    return t.teksti();
}

} // namespace vt
