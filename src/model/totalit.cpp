#include "model/jarjestykset.h"
#include "model/level.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>

namespace vt {

namespace {

// Name lookup over the rows; the first row of a name wins, as a linear search would find it.
class RiviHaku {
  public:
    explicit RiviHaku(std::vector<Pelaaja> &rivit) : rivit_(rivit) {
        for (size_t i = 0; i < rivit.size(); ++i)
            indeksi_.emplace(rivit[i].nimi, i);
    }
    Pelaaja *etsi(const std::string &nimi) {
        auto it = indeksi_.find(nimi);
        return it == indeksi_.end() ? nullptr : &rivit_[it->second];
    }
    Pelaaja &lisaa(Pelaaja p) {
        indeksi_.emplace(p.nimi, rivit_.size());
        rivit_.push_back(std::move(p));
        return rivit_.back();
    }

  private:
    std::vector<Pelaaja> &rivit_;
    std::unordered_map<std::string, size_t> indeksi_;
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

    RiviHaku haku(rivit);
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
