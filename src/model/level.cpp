#include "model/level.h"

#include "model/jarjestykset.h"
#include "util/teksti.h"

#include <cstdint>
#include <ostream>
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

bool Level::onkoJoTamaAjo(const Ajo &ajo) const {
    for (const Ajo &a : ajot_)
        if (a.nimi == ajo.nimi && a.aika == ajo.aika)
            return true;
    return false;
}

void Level::lisaaAjo(const Ajo &ajo) {
    if (!onkoJoTamaAjo(ajo))
        ajot_.push_back(ajo);
}

void Level::lisaaAjot(const std::vector<Ajo> &ajot) {
    // A run the level already has (the same name and all four fields of the time alike) is
    // not added again. The runs are found by hash in an open-addressed table of their places.
    auto tiiviste = [](const Ajo &a) {
        std::uint64_t h = std::hash<std::string>{}(a.nimi);
        for (std::uint64_t v : {a.aika.minuutit, std::uint64_t{a.aika.sekunnit},
                                std::uint64_t{a.aika.sadasosat}, std::uint64_t{a.aika.omenat}})
            h = (h ^ v) * 0x100000001b3u; // the FNV prime spreads each field over the word
        return h;
    };
    auto sama = [](const Ajo &a, const Ajo &b) {
        return a.aika.minuutit == b.aika.minuutit && a.aika.sekunnit == b.aika.sekunnit &&
               a.aika.sadasosat == b.aika.sadasosat && a.aika.omenat == b.aika.omenat &&
               a.nimi == b.nimi;
    };
    std::size_t koko = 16; // at most half full, so that a probe ends soon
    while (koko < 2 * (ajot_.size() + ajot.size()))
        koko *= 2;
    std::vector<std::size_t> paikat(koko, 0); // place in the runs + 1; 0 is free
    auto paikka = [&](const Ajo &a) -> std::size_t & {
        for (std::size_t p = tiiviste(a) & (koko - 1);; p = (p + 1) & (koko - 1))
            if (paikat[p] == 0 || sama(ajot_[paikat[p] - 1], a))
                return paikat[p];
    };
    for (std::size_t i = 0; i < ajot_.size(); ++i)
        if (std::size_t &q = paikka(ajot_[i]); q == 0)
            q = i + 1;
    for (const Ajo &a : ajot)
        if (std::size_t &q = paikka(a); q == 0) {
            ajot_.push_back(a);
            q = ajot_.size();
        }
}

void Level::vaihdaPelaajanNimi(const std::string &vanha, const std::string &uusi) {
    for (Ajo &a : ajot_)
        if (a.nimi == vanha)
            a.nimi = uusi;
    for (size_t i = 0; i < ajot_.size(); ++i) {
        if (ajot_[i].nimi != uusi)
            continue;
        for (size_t j = i + 1; j < ajot_.size();) {
            if (ajot_[j].nimi == uusi && ajot_[j].aika == ajot_[i].aika)
                ajot_.erase(ajot_.begin() + static_cast<long>(j));
            else
                ++j;
        }
    }
}

void Level::poistaPelaaja(const std::string &nimi) {
    std::erase_if(ajot_, [&](const Ajo &a) { return a.nimi == nimi; });
}

std::string Level::poistaAjo(unsigned i) {
    if (i >= ajot_.size())
        return "";
    std::string t = ajot_[i].aika.str() + " " + ajot_[i].nimi;
    ajot_.erase(ajot_.begin() + i);
    return t;
}

void Level::tulostaAjotjaNumerot(std::ostream &out) const {
    for (size_t i = 0; i < ajot_.size(); ++i)
        out << " " << (i + 1) << ": " << ajot_[i].aika.str() << " " << ajot_[i].nimi << "\n";
}

void Level::yhdista(const Level &toinen) {
    std::vector<Ajo> lisattavat = toinen.ajot_;
    for (const Ajo &a : lisattavat)
        lisaaAjo(a);
}

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

void yksiAjoPerNimiSuoraan(std::vector<Ajo> &r) {
    for (size_t i = 0; i < r.size();) {
        bool poistettu = false;
        for (size_t j = i + 1; j < r.size(); ++j) {
            if (r[j].nimi == r[i].nimi && !(r[i].aika < r[j].aika)) {
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
            if (r[p].nimi == r[q].nimi && !(r[p].aika < r[q].aika))
                r.erase(r.begin() + static_cast<long>(p));
            else
                ++p;
        }
    }
}

void yksiAjoPerNimi(std::vector<Ajo> &r) {
    // The two steps leave of every name the last of its best runs, where it stood: a run goes
    // in the first step when a later run of the name is at least as good, and the second
    // step finds only worse runs after the one that is left. A result that is neither a time
    // nor an apple count compares as equal to every time, and then only the steps as written
    // tell what is left.
    for (const Ajo &a : r)
        if (a.aika.nolla()) {
            yksiAjoPerNimiSuoraan(r);
            return;
        }
    std::unordered_map<std::string, size_t> paras;
    for (size_t i = 0; i < r.size(); ++i) {
        auto [it, uusi] = paras.emplace(r[i].nimi, i);
        if (!uusi && !(r[it->second].aika < r[i].aika))
            it->second = i;
    }
    size_t k = 0;
    for (size_t i = 0; i < r.size(); ++i)
        if (paras.at(r[i].nimi) == i) {
            if (k != i)
                r[k] = std::move(r[i]);
            ++k;
        }
    r.resize(k);
}

void Level::annaAjotJarjestyksessa(std::vector<Ajo> &out) const {
    out = ajot_;
    vaihtojarjesta(out, ajatParhaatEnsinTasanVaihtaen());
    yksiAjoPerNimi(out);
}

void Level::poistaTurhatAjot() {
    for (size_t i = 0; i < ajot_.size();) {
        bool myohempi = false;
        for (size_t j = i + 1; j < ajot_.size(); ++j)
            if (ajot_[j].nimi == ajot_[i].nimi) {
                myohempi = true;
                break;
            }
        if (myohempi)
            ajot_.erase(ajot_.begin() + static_cast<long>(i));
        else
            ++i;
    }
}

bool Level::uploaded(const std::string &nimi, const std::string &rec) {
    bool uutta = false;
    for (Ajo &a : ajot_)
        if (a.nimi == nimi) {
            if (!a.ladattu)
                uutta = true;
            a.ladattu = true;
            a.recit.push_back(rec);
        }
    return uutta;
}

bool Level::rekisteroi(const std::string &nimi, const std::string &teksti) {
    bool uutta = false;
    for (Ajo &a : ajot_)
        if (a.nimi == nimi) {
            if (!a.rekisteroity)
                uutta = true;
            a.rekisteroity = true;
            a.rekisteroityNimi = teksti;
        }
    return uutta;
}

namespace {
// Sets one event-series mark on every run of this name and time; true when one was new.
bool merkitse(std::vector<Ajo> &ajot, const std::string &nimi, const Aika &aika,
              bool Ajo::*merkki) {
    bool uutta = false;
    for (Ajo &a : ajot)
        if (a.nimi == nimi && a.aika == aika) {
            if (!(a.*merkki))
                uutta = true;
            a.*merkki = true;
        }
    return uutta;
}
} // namespace

bool Level::tarkistettu(const std::string &nimi, const Aika &aika) {
    return merkitse(ajot_, nimi, aika, &Ajo::tarkistettu);
}

bool Level::accept(const std::string &nimi, const Aika &aika) {
    return merkitse(ajot_, nimi, aika, &Ajo::hyvaksytty);
}

} // namespace vt
