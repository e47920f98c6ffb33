#include "model/level.h"

#include "model/jarjestykset.h"
#include "util/teksti.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string_view>
#include <unordered_map>

namespace vt {

std::string Pelaaja::pelkkaNimi() const {
    size_t p = nimi.find('[');
    if (p == std::string::npos)
        return nimi;
    return lyhenna(nimi.substr(0, p));
}

bool tiiminNimi(const std::string &nimi, std::string &tiimi) {
    size_t a = nimi.find('[');
    size_t b = nimi.find(']');
    if (a == std::string::npos || b == std::string::npos || b < a)
        return false;
    tiimi = nimi.substr(a + 1, b - a - 1);
    return true;
}

std::string levelinAvain(const std::string &nimi) { return lyhenna(toUpper(nimi).substr(0, 30)); }

namespace {

std::uint64_t ajonTiiviste(const std::string &nimi, const Aika &aika) {
    std::uint64_t h = std::hash<std::string>{}(nimi);
    for (std::uint64_t v : {aika.minuutit, std::uint64_t{aika.sekunnit},
                            std::uint64_t{aika.sadasosat}, std::uint64_t{aika.omenat}})
        h = (h ^ v) * 0x100000001b3u; // the FNV prime spreads each field over the word
    return h ^ (h >> 29);
}

std::uint64_t ajonTiiviste(const Ajo &a) { return ajonTiiviste(a.nimi, a.aika); }

// The same fields as `Aika::operator==`, and the name.
bool samaAjo(const Ajo &a, const std::string &nimi, const Aika &aika) {
    return a.aika.minuutit == aika.minuutit && a.aika.sekunnit == aika.sekunnit &&
           a.aika.sadasosat == aika.sadasosat && a.aika.omenat == aika.omenat && a.nimi == nimi;
}

constexpr std::size_t EI_AJOA = PaikkaHakemisto::EI;

} // namespace

std::size_t Level::etsiAjo(const std::string &nimi, const Aika &aika) const {
    return hakemisto_.etsi(ajonTiiviste(nimi, aika),
                           [&](std::size_t i) { return samaAjo(ajot_[i], nimi, aika); });
}

// Enters the run at this place, which the index does not hold yet.
void Level::hakemistoon(std::size_t paikka) {
    assert(paikka < ajot_.size() && etsiAjo(ajot_[paikka]) == EI_AJOA);
    hakemisto_.lisaa(ajonTiiviste(ajot_[paikka]), paikka);
}

void Level::rakennaHakemisto() {
    hakemisto_.tyhjenna(ajot_.size());
    for (std::size_t i = 0; i < ajot_.size(); ++i)
        hakemistoon(i);
}

bool Level::onkoJoTamaAjo(const Ajo &ajo) const { return etsiAjo(ajo) != EI_AJOA; }

template <class A> void Level::lisaa(A &&ajo) {
    const std::uint64_t tiiviste = ajonTiiviste(ajo);
    if (hakemisto_.etsi(tiiviste, [&](std::size_t i) {
            return samaAjo(ajot_[i], ajo.nimi, ajo.aika);
        }) != EI_AJOA)
        return;
    ajot_.push_back(std::forward<A>(ajo));
    hakemisto_.lisaa(tiiviste, ajot_.size() - 1);
    if (nimetAjan_)
        nimella_[ajot_.back().nimi].push_back(static_cast<std::uint32_t>(ajot_.size() - 1));
}

void Level::lisaaAjo(const Ajo &ajo) { lisaa(ajo); }
void Level::lisaaAjo(Ajo &&ajo) { lisaa(std::move(ajo)); }

void Level::lisaaAjot(const std::vector<Ajo> &ajot) {
    if (&ajot == &ajot_)
        return; // every run is there already
    for (const Ajo &a : ajot)
        lisaa(a);
}

void Level::lisaaAjot(std::vector<Ajo> &&ajot) {
    if (&ajot == &ajot_)
        return;
    if (ajot_.empty() && !ajot.empty()) { // and the index too: room for all at once
        ajot_.reserve(ajot.size());
        hakemisto_.tyhjenna(ajot.size());
    }
    for (Ajo &a : ajot)
        lisaa(std::move(a));
}

void Level::vaihdaPelaajanNimi(const std::string &vanha, const std::string &uusi) {
    bool muuttui = false;
    for (Ajo &a : ajot_)
        if (a.nimi == vanha) {
            a.nimi = uusi;
            muuttui = true;
        }
    if (!muuttui)
        return;
    paikatMuuttuivat();
    // Of the runs now under the new name, the first of each time stays and the later copies
    // go; runs of other names stay as they are.
    std::vector<Ajo> ajot;
    ajot.swap(ajot_);
    rakennaHakemisto();
    for (Ajo &a : ajot)
        if (a.nimi != uusi || !onkoJoTamaAjo(a)) {
            ajot_.push_back(std::move(a));
            hakemistoon(ajot_.size() - 1);
        }
}

void Level::poistaPelaaja(const std::string &nimi) {
    if (std::erase_if(ajot_, [&](const Ajo &a) { return a.nimi == nimi; }) > 0) {
        rakennaHakemisto();
        paikatMuuttuivat();
    }
}

std::string Level::poistaAjo(unsigned i) {
    if (i >= ajot_.size())
        return "";
    std::string t = ajot_[i].aika.str() + " " + ajot_[i].nimi;
    ajot_.erase(ajot_.begin() + i);
    rakennaHakemisto();
    paikatMuuttuivat();
    return t;
}

void Level::tulostaAjotjaNumerot(std::ostream &out) const {
    for (size_t i = 0; i < ajot_.size(); ++i)
        out << " " << (i + 1) << ": " << ajot_[i].aika.str() << " " << ajot_[i].nimi << "\n";
}

void Level::yhdista(const Level &toinen) { lisaaAjot(toinen.ajot_); }

Aika Level::parasAika() const {
    if (ajot_.empty())
        return Aika();
    Aika paras = ajot_[0].aika;
    for (const Ajo &a : ajot_)
        if (a.aika < paras)
            paras = a.aika;
    return paras;
}

Aika Level::parasAika(bool multi) const {
    bool loytyi = false;
    Aika paras;
    for (const Ajo &a : ajot_) {
        if (a.multiplayer() != multi)
            continue;
        if (!loytyi || a.aika < paras)
            paras = a.aika;
        loytyi = true;
    }
    return paras;
}

template <class T> void yksiAjoPerNimiSuoraan(std::vector<T> &r) {
    for (size_t i = 0; i < r.size();) {
        bool poistettu = false;
        for (size_t j = i + 1; j < r.size(); ++j) {
            if (nimiOf(r[j]) == nimiOf(r[i]) && !(ajoOf(r[i]).aika < ajoOf(r[j]).aika)) {
                r.erase(r.begin() + static_cast<long>(i));
                poistettu = true;
                break;
            }
        }
        if (!poistettu)
            ++i;
    }
    for (size_t q = 0; q < r.size(); ++q) {
        for (size_t p = q + 1; p < r.size();) {
            if (nimiOf(r[p]) == nimiOf(r[q]) && !(ajoOf(r[p]).aika < ajoOf(r[q]).aika))
                r.erase(r.begin() + static_cast<long>(p));
            else
                ++p;
        }
    }
}

template <class T> void yksiAjoPerNimi(std::vector<T> &r) {
    // The two steps leave of every name the last of its best runs, where it stood: a run goes
    // in the first step when a later run of the name is at least as good, and the second
    // step finds only worse runs after the one that is left. A result that is neither a time
    // nor an apple count compares as equal to every time, and then only the steps as written
    // tell what is left.
    for (const T &a : r)
        if (ajoOf(a).aika.nolla()) {
            yksiAjoPerNimiSuoraan(r);
            return;
        }
    // Each run's first run of the same name, and for a first run its name's best so far.
    PaikkaHakemisto nimet;
    nimet.tyhjenna(r.size());
    std::vector<std::uint32_t> ensimmainen(r.size()), paras(r.size());
    for (size_t i = 0; i < r.size(); ++i) {
        const std::string &nimi = nimiOf(r[i]);
        const std::uint64_t tiiviste = std::hash<std::string_view>{}(nimi);
        const size_t p = nimet.etsi(tiiviste, [&](size_t q) { return nimiOf(r[q]) == nimi; });
        if (p == PaikkaHakemisto::EI) {
            nimet.lisaa(tiiviste, i);
            ensimmainen[i] = paras[i] = static_cast<std::uint32_t>(i);
        } else {
            ensimmainen[i] = static_cast<std::uint32_t>(p);
            if (!(ajoOf(r[paras[p]]).aika < ajoOf(r[i]).aika))
                paras[p] = static_cast<std::uint32_t>(i);
        }
    }
    if (nimet.maara() == r.size()) // every name once: all stay
        return;
    size_t k = 0;
    for (size_t i = 0; i < r.size(); ++i)
        if (paras[ensimmainen[i]] == i) {
            if (k != i)
                r[k] = std::move(r[i]);
            ++k;
        }
    r.resize(k);
}

template void yksiAjoPerNimi(std::vector<Ajo> &);
template void yksiAjoPerNimi(std::vector<const Ajo *> &);
template void yksiAjoPerNimi(std::vector<NimettyAjo> &);
template void yksiAjoPerNimiSuoraan(std::vector<Ajo> &);
template void yksiAjoPerNimiSuoraan(std::vector<const Ajo *> &);
template void yksiAjoPerNimiSuoraan(std::vector<NimettyAjo> &);

void Level::annaAjotJarjestyksessa(std::vector<Ajo> &out) const {
    // Ranked by pointer: only the runs that stay are copied.
    std::vector<const Ajo *> r;
    r.reserve(ajot_.size());
    for (const Ajo &a : ajot_)
        r.push_back(&a);
    vaihtojarjesta(r, osoittimille(ajatParhaatEnsinTasanVaihtaen()));
    yksiAjoPerNimi(r);
    out.clear();
    out.reserve(r.size());
    for (const Ajo *a : r)
        out.push_back(*a);
}

void Level::poistaTurhatAjot() {
    // Each name's last run stays, where it stood.
    std::unordered_map<std::string_view, std::size_t> viimeinen;
    viimeinen.reserve(ajot_.size());
    for (std::size_t i = 0; i < ajot_.size(); ++i)
        viimeinen[ajot_[i].nimi] = i;
    if (viimeinen.size() == ajot_.size())
        return;
    std::vector<bool> jaa(ajot_.size(), false);
    for (const auto &[nimi, i] : viimeinen)
        jaa[i] = true;
    viimeinen.clear(); // its keys point into the runs about to move
    std::size_t k = 0;
    for (std::size_t i = 0; i < ajot_.size(); ++i)
        if (jaa[i]) {
            if (k != i)
                ajot_[k] = std::move(ajot_[i]);
            ++k;
        }
    ajot_.resize(k);
    rakennaHakemisto();
    paikatMuuttuivat();
}

const std::vector<std::uint32_t> &Level::nimenAjot(const std::string &nimi) {
    if (!nimetAjan_) {
        nimella_.clear();
        for (std::size_t i = 0; i < ajot_.size(); ++i)
            nimella_[ajot_[i].nimi].push_back(static_cast<std::uint32_t>(i));
        nimetAjan_ = true;
    }
    static const std::vector<std::uint32_t> eiAjoja;
    const auto it = nimella_.find(nimi);
    return it == nimella_.end() ? eiAjoja : it->second;
}

// Sets the mark on every run of the name and lets `muuta` change each; true when a run had no
// mark yet.
template <class Muuta>
bool Level::merkitseNimi(const std::string &nimi, bool Ajo::*merkki, Muuta muuta) {
    bool uutta = false;
    for (std::uint32_t i : nimenAjot(nimi)) {
        Ajo &a = ajot_[i];
        uutta = uutta || !(a.*merkki);
        a.*merkki = true;
        muuta(a);
    }
    return uutta;
}

bool Level::uploaded(const std::string &nimi, const std::string &rec) {
    return merkitseNimi(nimi, &Ajo::ladattu, [&](Ajo &a) { a.recit.push_back(rec); });
}

bool Level::rekisteroi(const std::string &nimi, const std::string &teksti) {
    return merkitseNimi(nimi, &Ajo::rekisteroity, [&](Ajo &a) { a.rekisteroityNimi = teksti; });
}

// No two runs share a name and a time, so the run the table finds is the only one to mark.
bool Level::merkitse(const std::string &nimi, const Aika &aika, bool Ajo::*merkki) {
    const std::size_t i = etsiAjo(nimi, aika);
    if (i == EI_AJOA || ajot_[i].*merkki)
        return false;
    ajot_[i].*merkki = true;
    return true;
}

bool Level::tarkistettu(const std::string &nimi, const Aika &aika) {
    return merkitse(nimi, aika, &Ajo::tarkistettu);
}

bool Level::accept(const std::string &nimi, const Aika &aika) {
    return merkitse(nimi, aika, &Ajo::hyvaksytty);
}

} // namespace vt
