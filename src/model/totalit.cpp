#include "model/totalit.h"

#include "model/jarjestykset.h"
#include "model/pisteet.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <unordered_map>
#include <unordered_set>

namespace vt {

namespace {

void kerrytaAjot(RiviHakemisto::Kaytossa &haku, const std::vector<Ajo> &ajot, bool lihavoi,
                 bool tiimeja) {
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
    RiviHakemisto hakemisto;
    hakemisto.rakenna(rivit);
    laskeTotalTimet(rivit, options, cupTaulukko, levelNumero, cup, hakemisto);
    hakemisto.valmis(rivit);
}

void Level::laskeTotalTimet(std::vector<Pelaaja> &rivit, Tulostusasetukset options,
                            const std::vector<unsigned> &cupTaulukko, unsigned levelNumero,
                            bool cup, RiviHakemisto &hakemisto) const {
    std::vector<Ajo> pelaajat = ajot_;
    yksiAjoPerNimi(pelaajat);
    vaihtojarjesta(pelaajat, ajatParhaatEnsin());

    RiviHakemisto::Kaytossa haku(hakemisto, rivit);
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
        // Every list is `n` long, less the zeros of rows that scored nothing lately: only the
        // rows that score now are made full and given this level's value.
        const size_t n = hakemisto.cupPituus;
        std::vector<Pelaaja *> saivat;
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
                hyvita(pelaajat[i].nimi, [&](Pelaaja &p) {
                    if (hakemisto.harvaCup) {
                        p.cupPisteet.push_back(pisteet);
                        p.cupPaikat.push_back(static_cast<std::uint32_t>(n));
                        saivat.push_back(&p);
                        return;
                    }
                    if (p.cupPisteet.size() < n)
                        p.cupPisteet.resize(n, 0);
                    p.cupPisteet.push_back(pisteet);
                    saivat.push_back(&p);
                });
            k = m + 1;
        }
        for (Pelaaja *p : saivat) {
            // A team scores with its best members: more than one value this level.
            std::vector<unsigned> &v = p->cupPisteet;
            size_t alku = n;
            if (hakemisto.harvaCup) {
                alku = v.size();
                while (alku > 0 && p->cupPaikat[alku - 1] == n)
                    --alku;
            }
            if (v.size() > alku + 1) {
                auto ensimmainen = v.begin() + static_cast<long>(alku);
                std::sort(ensimmainen, v.end(), std::greater<unsigned>());
                unsigned s = 0;
                for (size_t i = alku; i < v.size() && i < alku + TIIMIN_PARHAAT; ++i)
                    s += v[i];
                v.resize(alku + 1);
                v[alku] = s;
                if (hakemisto.harvaCup)
                    p->cupPaikat.resize(alku + 1);
            }
        }
        if (!rivit.empty())
            hakemisto.cupPituus = n + 1;
    }

    hakemisto.jarjesta(rivit);
}

void RiviHakemisto::avainRivilta(const std::vector<Pelaaja> &rivit, std::uint32_t numero) {
    if (avaimet_.size() <= numero) {
        avaimet_.resize(numero + 1);
        avaimellinen_.resize(numero + 1);
    }
    const auto a = rivit[numero].totalAika.jarjestysAvain();
    if (avaimellinen_[numero])
        --avaimellisia_;
    avaimellinen_[numero] = a.has_value();
    if (a) {
        ++avaimellisia_;
        avaimet_[numero] = *a;
    }
}

void RiviHakemisto::rakenna(std::vector<Pelaaja> &rivit) {
    rivinumerot_.clear();
    jarjestys_.clear();
    avaimet_.clear();
    avaimellinen_.clear();
    avaimellisia_ = 0;
    kosketut_.clear();
    lykatyt_.clear();
    tasonAlku_ = rivit.size();
    vanhaKosketettu_ = false;
    jarjestetty_ = false;
    jarjestysAvaimet_.clear();
    paikat_.clear();
    if (!harvaCup)
        cupPituus = 0;
    for (size_t i = 0; i < rivit.size(); ++i) {
        // The first row of a name wins, as a search from the top would find it.
        rivinumerot_.emplace(rivit[i].nimi, static_cast<std::uint32_t>(i));
        jarjestys_.push_back(static_cast<std::uint32_t>(i));
        avainRivilta(rivit, static_cast<std::uint32_t>(i));
        if (!harvaCup)
            cupPituus = std::max(cupPituus, rivit[i].cupPisteet.size());
    }
}

void RiviHakemisto::valmis(std::vector<Pelaaja> &rivit) {
    puraLykatyt();
    if (!harvaCup)
        for (Pelaaja &p : rivit)
            if (p.cupPisteet.size() < cupPituus)
                p.cupPisteet.resize(cupPituus, 0);
    bool paikallaan = true;
    for (size_t k = 0; k < jarjestys_.size() && paikallaan; ++k)
        paikallaan = jarjestys_[k] == k;
    if (paikallaan)
        return;
    std::vector<Pelaaja> jarjestyksessa;
    jarjestyksessa.reserve(rivit.size());
    for (std::uint32_t i : jarjestys_)
        jarjestyksessa.push_back(std::move(rivit[i]));
    rivit = std::move(jarjestyksessa);
    rakenna(rivit);
}

void RiviHakemisto::jarjesta(std::vector<Pelaaja> &rivit) {
#ifndef VASKITAULU_SUORA_JARJESTYS // the tests' oracle build ranks the rows themselves
    for (std::uint32_t r : kosketut_)
        avainRivilta(rivit, r);
    if (avaimellisia_ == jarjestys_.size()) {
        if (!jarjestetty_)
            jarjestaKaikki();
        else if (!vanhaKosketettu_)
            lykatyt_.insert(lykatyt_.end(), kosketut_.begin(), kosketut_.end());
        else
            jarjestaMuuttuneet(jarjestys_.size(), kosketut_);
        kosketut_.clear();
        tasonAlku_ = jarjestys_.size();
        vanhaKosketettu_ = false;
        return;
    }
    kosketut_.clear();
#endif
    valmis(rivit);
    vaihtojarjesta(rivit, rivitAjanMukaan());
    rakenna(rivit);
}

void RiviHakemisto::puraLykatyt() {
    // Levels that only added rows are ranked at once: ranking each in turn gives the same
    // order. A group of equal keys turns once for each smaller row added behind it, whether
    // the turns come one level at a time or together, and a new row joins its group at the
    // end either way.
    if (lykatyt_.empty())
        return;
    std::vector<std::uint32_t> rivit;
    rivit.swap(lykatyt_);
    jarjestaMuuttuneet(tasonAlku_, rivit);
}

void RiviHakemisto::asetaJarjestys(std::vector<std::uint32_t> &jarjestys,
                                   std::vector<Avain> &avaimet) {
    // The old tables are kept as room for the next ranking.
    jarjestys_.swap(jarjestys);
    jarjestysAvaimet_.swap(avaimet);
    paikat_.resize(jarjestys_.size());
    for (size_t k = 0; k < jarjestys_.size(); ++k)
        paikat_[jarjestys_[k]] = static_cast<std::uint32_t>(k);
    jarjestetty_ = true;
}

void RiviHakemisto::jarjestaKaikki() {
    // The ranking routine's order from the keys, taken in the ranking so far.
    std::vector<Avain> avaimet;
    avaimet.reserve(jarjestys_.size());
    for (std::uint32_t i : jarjestys_)
        avaimet.push_back(avaimet_[i]);
    const std::vector<std::uint32_t> paikka = jarjesta_detail::avainJarjestys(avaimet, false);
    std::vector<std::uint32_t> &uusi = uusiJarjestys_;
    std::vector<Avain> &uudet = uudetAvaimet_;
    uusi.resize(paikka.size());
    uudet.resize(paikka.size());
    for (size_t k = 0; k < paikka.size(); ++k) {
        uusi[k] = jarjestys_[paikka[k]];
        uudet[k] = avaimet[paikka[k]];
    }
    asetaJarjestys(uusi, uudet);
}

void RiviHakemisto::jarjestaMuuttuneet(size_t n, const std::vector<std::uint32_t> &kosketut) {
    // The order at the start is the last ranking (sorted by the keys of then) with the rows
    // made since at its end. Rows not touched kept their keys, so they are still in order of
    // key; the touched ones and the new ones (the changed rows) are sorted apart and merged in,
    // equal keys in their order at the start. What is left is the order within groups of equal
    // keys (see jarjesta.cpp): a group is turned by the smaller elements after its members, so
    // only groups holding a changed row, or standing above a changed row that can now be
    // behind them with a smaller key, can differ from their order at the start.
    // Only the first `n` of the order are ranked; rows made after them stay at its end.
    const size_t n0 = jarjestysAvaimet_.size();
    auto alussa = [&](std::uint32_t r) -> size_t { return r >= n0 ? r : paikat_[r]; };

    std::vector<std::uint32_t> muuttuneet = kosketut;
    std::sort(muuttuneet.begin(), muuttuneet.end());
    muuttuneet.erase(std::unique(muuttuneet.begin(), muuttuneet.end()), muuttuneet.end());
    std::vector<size_t> kosketutPaikat; // places at the start of the touched old rows
    for (std::uint32_t r : muuttuneet)
        if (r < n0)
            kosketutPaikat.push_back(paikat_[r]);
    std::sort(kosketutPaikat.begin(), kosketutPaikat.end());
    std::sort(muuttuneet.begin(), muuttuneet.end(), [&](std::uint32_t x, std::uint32_t y) {
        if (avaimet_[x] != avaimet_[y])
            return avaimet_[x] < avaimet_[y];
        return alussa(x) < alussa(y);
    });

    // Merge. Invariant: the old places before `k` are taken, `t` indexes the first touched
    // place at or after `k`.
    std::vector<std::uint32_t> &uusi = uusiJarjestys_;
    std::vector<Avain> &uudet = uudetAvaimet_;
    uusi.clear();
    uudet.clear();
    uusi.reserve(n);
    uudet.reserve(n);
    size_t k = 0, t = 0;
    auto kopioi = [&](size_t loppu) {
        while (k < loppu) {
            const size_t seis =
                t < kosketutPaikat.size() ? std::min(loppu, kosketutPaikat[t]) : loppu;
            uusi.insert(uusi.end(), jarjestys_.begin() + static_cast<long>(k),
                        jarjestys_.begin() + static_cast<long>(seis));
            uudet.insert(uudet.end(), jarjestysAvaimet_.begin() + static_cast<long>(k),
                         jarjestysAvaimet_.begin() + static_cast<long>(seis));
            k = seis;
            if (k < loppu) { // a touched row: it comes with the changed ones
                ++k;
                ++t;
            }
        }
    };
    const Avain *vanhat = jarjestysAvaimet_.data();
    // The smallest key of a changed row that can stand behind a group of a greater key: a new
    // row, or an old one whose key went down.
    std::optional<Avain> kaantava;
    for (std::uint32_t r : muuttuneet) {
        const Avain &y = avaimet_[r];
        const size_t p = alussa(r);
        const Avain *q = std::partition_point(vanhat + k, vanhat + n0, [&](const Avain &a) {
            return a < y || (a == y && static_cast<size_t>(&a - vanhat) <= p);
        });
        kopioi(static_cast<size_t>(q - vanhat));
        uusi.push_back(r);
        uudet.push_back(y);
        if ((r >= n0 || y < vanhat[p]) && (!kaantava || y < *kaantava))
            kaantava = y;
    }
    kopioi(n0);

    // The groups of two or more that may have turned, by their first place.
    std::vector<std::pair<size_t, size_t>> ryhmat;
    for (std::uint32_t r : muuttuneet) {
        const auto [a, b] = std::equal_range(uudet.begin(), uudet.end(), avaimet_[r]);
        if (b - a >= 2)
            ryhmat.emplace_back(a - uudet.begin(), b - uudet.begin());
    }
    if (kaantava) {
        size_t g = static_cast<size_t>(std::upper_bound(uudet.begin(), uudet.end(), *kaantava) -
                                       uudet.begin());
        while (g < n) {
            size_t h = g + 1;
            while (h < n && uudet[h] == uudet[g])
                ++h;
            if (h - g >= 2)
                ryhmat.emplace_back(g, h);
            g = h;
        }
    }
    std::sort(ryhmat.begin(), ryhmat.end());
    ryhmat.erase(std::unique(ryhmat.begin(), ryhmat.end()), ryhmat.end());

    // Each group in ascending order of key. The places at the start of the changed rows of a
    // smaller key are counted in a Fenwick tree over the changed rows' places, in order.
    std::vector<size_t> muuttuneidenPaikat;
    muuttuneidenPaikat.reserve(muuttuneet.size());
    for (std::uint32_t r : muuttuneet)
        muuttuneidenPaikat.push_back(alussa(r));
    std::sort(muuttuneidenPaikat.begin(), muuttuneidenPaikat.end());
    jarjesta_detail::Laskuripuu pienet(muuttuneidenPaikat.size());
    std::uint32_t pieniaYhteensa = 0;
    auto jarjestysnumero = [&](size_t p) { // of the changed places up to p
        return static_cast<size_t>(
            std::upper_bound(muuttuneidenPaikat.begin(), muuttuneidenPaikat.end(), p) -
            muuttuneidenPaikat.begin());
    };
    auto lisaaPieni = [&](size_t p) {
        pienet.merkitse(jarjestysnumero(p) - 1);
        ++pieniaYhteensa;
    };
    auto pieniaJalkeen = [&](size_t p) { // of those counted, at places after p
        return static_cast<size_t>(pieniaYhteensa - pienet.ennen(jarjestysnumero(p)));
    };
    size_t seuraava = 0;
    std::vector<std::uint32_t> jalkeen;
    for (const auto &[g, h] : ryhmat) {
        const Avain x = uudet[g];
        for (; seuraava < muuttuneet.size() && avaimet_[muuttuneet[seuraava]] < x; ++seuraava) {
            lisaaPieni(alussa(muuttuneet[seuraava]));
        }
        // Rows not touched with a smaller key are those before `qx` at the start, less the
        // touched ones there.
        const auto qx = static_cast<size_t>(std::lower_bound(vanhat, vanhat + n0, x) - vanhat);
        auto pienempiaJalkeen = [&](size_t p) {
            size_t c = pieniaJalkeen(p);
            if (p < qx) {
                const auto kosketutValissa = static_cast<size_t>(
                    std::lower_bound(kosketutPaikat.begin(), kosketutPaikat.end(), qx) -
                    std::upper_bound(kosketutPaikat.begin(), kosketutPaikat.end(), p));
                c += qx - p - 1 - kosketutValissa;
            }
            return static_cast<std::uint32_t>(c);
        };
        jalkeen.resize(h - g);
        for (size_t j = 0; j < h - g; ++j)
            jalkeen[j] = pienempiaJalkeen(alussa(uusi[g + j]));
        if (jalkeen[0] != 0)
            jarjesta_detail::jarjestaRyhma(&uusi[g], h - g, jalkeen);
    }
    uusi.insert(uusi.end(), jarjestys_.begin() + static_cast<long>(n), jarjestys_.end());
    asetaJarjestys(uusi, uudet);
}

Pelaaja *RiviHakemisto::Kaytossa::etsi(const std::string &nimi) {
    auto it = h_.rivinumerot_.find(nimi);
    if (it == h_.rivinumerot_.end())
        return nullptr;
    if (it->second < h_.tasonAlku_) {
        // A row from before this level changes: the levels waiting are ranked first, from
        // the keys they left.
        h_.vanhaKosketettu_ = true;
        h_.puraLykatyt();
    }
    // What is found may be changed: its key is read again before the ranking.
    h_.kosketut_.push_back(it->second);
    return &rivit_[it->second];
}

Pelaaja &RiviHakemisto::Kaytossa::lisaa(Pelaaja p) {
    const auto numero = static_cast<std::uint32_t>(rivit_.size());
    h_.rivinumerot_.emplace(p.nimi, numero);
    h_.jarjestys_.push_back(numero);
    h_.kosketut_.push_back(numero);
    rivit_.push_back(std::move(p));
    return rivit_.back();
}

void kerroEdistyminen(std::ostream &konsoli, std::size_t tehty, std::size_t n) {
    if (tehty % 500 == 0)
        konsoli << tehty << "/" << n << " levels counted...\n";
}

void kerroValmis(std::ostream &konsoli, std::size_t n) {
    if (n > 500)
        konsoli << n << "/" << n << " levels counted.\n";
}

bool listataanko(const Level &level, const Tulostusasetukset &options) {
    return options.tyhjatLevelit || level.annaAjojenLkm() > 0;
}

std::vector<Pelaaja> laskeKokoelmanTotalit(const std::vector<Level> &levels,
                                           const Tulostusasetukset &options,
                                           const std::vector<unsigned> &cupTaulukko,
                                           std::ostream *konsoli) {
    std::vector<Pelaaja> rivit;
    RiviHakemisto hakemisto;
    const size_t n = levels.size();
    for (size_t i = 0; i < n; ++i) {
        levels[i].laskeTotalTimet(rivit, options, cupTaulukko, static_cast<unsigned>(i + 1), false,
                                  hakemisto);
        if (konsoli)
            kerroEdistyminen(*konsoli, i + 1, n);
    }
    hakemisto.valmis(rivit);
    if (konsoli)
        kerroValmis(*konsoli, n);
    return rivit;
}

void lisaaRangaistukset(std::vector<Pelaaja> &rivit, unsigned listattuja) {
    for (Pelaaja &p : rivit)
        if (listattuja > p.levelienLkm)
            lisaaRangaistus(p.totalAika, listattuja - p.levelienLkm);
    vaihtojarjesta(rivit, rivitAjanMukaan());
}

std::vector<KokoelmanNimi> kokoelmanNimet(const std::vector<Level> &levels, bool tiimit) {
    // A row is made by the first level that names it; within a level players come before
    // teams, and a name already there (as a player or a team) makes no second row.
    std::vector<KokoelmanNimi> r;
    std::unordered_set<std::string> nahty;
    for (const Level &l : levels) {
        for (const Ajo &a : l.ajot())
            if (nahty.insert(a.nimi).second)
                r.push_back({a.nimi, false});
        if (!tiimit)
            continue;
        for (const Ajo &a : l.ajot()) {
            std::string t;
            if (tiiminNimi(a.nimi, t) && nahty.insert(t).second)
                r.push_back({t, true});
        }
    }
    return r;
}

std::vector<Pelaaja> laskeSijoitetutTotalit(const std::vector<Level> &levels,
                                            const Tulostusasetukset &options,
                                            const std::vector<unsigned> &cupTaulukko,
                                            unsigned listattuja, std::ostream &konsoli) {
    konsoli << "Calculating total times...\n";
    std::vector<Pelaaja> rivit = laskeKokoelmanTotalit(levels, options, cupTaulukko, &konsoli);
    lisaaRangaistukset(rivit, listattuja);
    return rivit;
}

AariLevelit etsiAariLevelit(const std::vector<Level> &levels) {
    AariLevelit r;
    Aika lyhin = rangaistusAika();
    Aika pisin("00:00:01");
    for (const Level &l : levels) {
        Aika paras = l.parasAika();
        if (paras.nolla())
            continue;
        if (paras < lyhin) {
            lyhin = paras;
            r.lyhin = &l;
        }
        if (pisin < paras) {
            pisin = paras;
            r.pisin = &l;
        }
    }
    return r;
}

AnonyymiSumma laskeAnonyymi(const std::vector<Level> &levels, const Tulostusasetukset &options) {
    AnonyymiSumma s;
    for (const Level &l : levels) {
        Aika paras = l.parasAika();
        if (paras.nolla() && options.tyhjatLevelit) {
            s.total = s.total + rangaistusAika();
            continue;
        }
        ++s.lapaistyja;
        s.total = s.total + paras;
        s.voittoajat = s.voittoajat + paras;
    }
    return s;
}

} // namespace vt
