#include "model/jarjestykset.h"
#include "model/level.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>

namespace vt {

namespace {

// Name lookup over the rows for the names of one level (its players and their teams); the
// first row of a name wins, as a linear search would find it. Only the level's own names are
// indexed, so a level costs one pass over the rows without building anything for each.
class RiviHaku {
  public:
    RiviHaku(std::vector<Pelaaja> &rivit, const std::vector<Ajo> &ajot) : rivit_(rivit) {
        auto haettava = [&](const std::string &nimi) {
            haettavat_.emplace(nimi, ei);
            pituudet_ |= std::uint64_t{1} << (nimi.size() % 64);
        };
        for (const Ajo &a : ajot) {
            haettava(a.nimi);
            std::string t;
            if (tiiminNimi(a.nimi, t))
                haettava(t);
        }
        for (size_t i = 0; i < rivit.size(); ++i) {
            const std::string &nimi = rivit[i].nimi;
            if (!(pituudet_ >> (nimi.size() % 64) & 1))
                continue;
            auto it = haettavat_.find(nimi);
            if (it != haettavat_.end() && it->second == ei)
                it->second = i;
        }
    }
    Pelaaja *etsi(const std::string &nimi) {
        auto it = haettavat_.find(nimi);
        if (it != haettavat_.end())
            return it->second == ei ? nullptr : &rivit_[it->second];
        for (Pelaaja &p : rivit_)
            if (p.nimi == nimi)
                return &p;
        return nullptr;
    }
    Pelaaja &lisaa(Pelaaja p) {
        auto it = haettavat_.find(p.nimi);
        if (it == haettavat_.end())
            haettavat_.emplace(p.nimi, rivit_.size());
        else if (it->second == ei)
            it->second = rivit_.size();
        rivit_.push_back(std::move(p));
        return rivit_.back();
    }

  private:
    static constexpr size_t ei = SIZE_MAX;
    std::vector<Pelaaja> &rivit_;
    std::unordered_map<std::string, size_t> haettavat_;
    std::uint64_t pituudet_ = 0;
};

void kerrytaAjot(RiviHaku &haku, const std::vector<Ajo> &ajot, bool lihavoi, bool tiimeja) {
    for (const Ajo &a : ajot) {
        bool uusi = a.uusi && lihavoi;
        if (Pelaaja *p = haku.etsi(a.nimi)) {
            p->totalAika = p->totalAika + a.aika;
            ++p->levelienLkm;
            if (uusi)
                p->uusiAika = true;
        } else {
            Pelaaja r;
            r.totalAika = a.aika;
            r.nimi = a.nimi;
            r.levelienLkm = 1;
            r.tiimi = tiimeja;
            r.uusiAika = uusi;
            haku.lisaa(std::move(r));
        }
    }
}

} // namespace

void Level::laskeTotalTimet(std::vector<Pelaaja> &rivit, Tulostusasetukset options,
                            const std::vector<unsigned> &cupTaulukko, unsigned levelNumero,
                            bool cup) const {
    std::vector<Ajo> pelaajat = ajot_;
    yksiAjoPerNimi(pelaajat);
    vaihtojarjesta(pelaajat, ajatParhaatEnsin());

    RiviHaku haku(rivit, pelaajat);
    kerrytaAjot(haku, pelaajat, options.lihavoiUudet, false);

    if (options.tiimit) {
        std::vector<Ajo> tiimit;
        for (const Ajo &a : pelaajat) {
            std::string t;
            if (tiiminNimi(a.nimi, t)) {
                Ajo k = a;
                k.nimi = t;
                tiimit.push_back(std::move(k));
            }
        }
        yksiAjoPerNimi(tiimit);
        kerrytaAjot(haku, tiimit, options.lihavoiUudet, true);
    }

    auto hyvita = [&](const std::string &nimi, const std::function<void(Pelaaja &)> &f) {
        if (Pelaaja *p = haku.etsi(nimi))
            f(*p);
        std::string t;
        if (tiiminNimi(nimi, t))
            if (Pelaaja *p = haku.etsi(t))
                f(*p);
    };

    for (const Ajo &a : pelaajat) {
        if (!(a.aika == pelaajat[0].aika))
            break;
        hyvita(a.nimi, [&](Pelaaja &p) {
            ++p.parhaidenLkm;
            p.parhaatLevelit.push_back(levelNumero);
        });
    }

    if (cup) {
        size_t n = 0;
        for (const Pelaaja &p : rivit)
            n = std::max(n, p.cupPisteet.size());
        for (Pelaaja &p : rivit)
            p.cupPisteet.resize(n, 0);
        for (size_t k = 0; k < pelaajat.size();) {
            size_t m = k;
            while (m + 1 < pelaajat.size() && pelaajat[m + 1].aika == pelaajat[k].aika)
                ++m;
            std::uint64_t summa = 0;
            for (size_t i = k; i <= m; ++i)
                if (i < cupTaulukko.size())
                    summa += cupTaulukko[i];
            auto pisteet = static_cast<unsigned>(summa / (m - k + 1));
            for (size_t i = k; i <= m; ++i)
                hyvita(pelaajat[i].nimi, [&](Pelaaja &p) { p.cupPisteet.push_back(pisteet); });
            k = m + 1;
        }
        for (Pelaaja &p : rivit) {
            if (p.cupPisteet.size() < n + 1)
                p.cupPisteet.resize(n + 1, 0);
            if (p.cupPisteet.size() > n + 1) {
                auto alku = p.cupPisteet.begin() + static_cast<long>(n);
                std::sort(alku, p.cupPisteet.end(), std::greater<unsigned>());
                unsigned s = 0;
                for (size_t i = n; i < p.cupPisteet.size() && i < n + 3; ++i)
                    s += p.cupPisteet[i];
                p.cupPisteet.resize(n + 1);
                p.cupPisteet[n] = s;
            }
        }
    }

    vaihtojarjesta(rivit, rivitAjanMukaan());
}

} // namespace vt
