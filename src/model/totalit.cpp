#include "model/totalit.h"

#include "model/jarjestykset.h"
#include "model/pisteet.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <unordered_set>

namespace vt {

namespace {

template <class T>
void kerrytaAjot(RiviHakemisto::Kaytossa &haku, const std::vector<T> &ajot, bool lihavoi,
                 bool tiimeja) {
    for (const T &x : ajot) {
        const Ajo &a = ajoOf(x);
        bool uusi = a.uusi && lihavoi;
        if (Pelaaja *p = haku.muutettava(nimiOf(x))) {
            p->totalAika = p->totalAika + a.aika;
            ++p->levelienLkm;
            if (uusi)
                p->uusiAika = true;
        } else {
            Pelaaja r;
            r.totalAika = a.aika;
            r.nimi = nimiOf(x);
            r.levelienLkm = 1;
            r.tiimi = tiimeja;
            r.uusiAika = uusi;
            haku.lisaa(std::move(r));
        }
    }
}

// The points of a place: those of the places its tied runs take, shared evenly.
unsigned tasanJaetut(const std::vector<unsigned> &cupTaulukko, size_t k, size_t m) {
    std::uint64_t summa = 0;
    for (size_t i = k; i <= m; ++i)
        if (i < cupTaulukko.size())
            summa += cupTaulukko[i];
    return static_cast<unsigned>(summa / (m - k + 1));
}

// One level's cup points to the ranked runs' rows through `hyvita` (a player's row and its
// team's). Every list is `n` long, less the zeros of rows that scored nothing lately: only the
// rows that score now are made full (or, sparse, named at place `n`) and given this level's
// value.
template <class Hyvita>
void jaaCupPisteet(const std::vector<const Ajo *> &pelaajat,
                   const std::vector<unsigned> &cupTaulukko, RiviHakemisto &hakemisto,
                   bool rivejaOn, Hyvita &hyvita) {
    const size_t n = hakemisto.cupPituus;
    const bool harva = hakemisto.harvaCup;
    std::vector<Pelaaja *> saivat;
    for (size_t k = 0; k < pelaajat.size();) {
        size_t m = k;
        while (m + 1 < pelaajat.size() && pelaajat[m + 1]->aika == pelaajat[k]->aika)
            ++m;
        const unsigned pisteet = tasanJaetut(cupTaulukko, k, m);
        for (size_t i = k; i <= m; ++i)
            hyvita(pelaajat[i]->nimi, [&](Pelaaja &p) {
                if (harva) {
                    p.cupHarva.lisaa(static_cast<HarvaLista::Paikka>(n), pisteet);
                } else {
                    if (p.cupPisteet.size() < n)
                        p.cupPisteet.resize(n, 0);
                    p.cupPisteet.push_back(pisteet);
                }
                saivat.push_back(&p);
            });
        k = m + 1;
    }
    // A team scores with its best members: more than one value this level.
    for (Pelaaja *p : saivat) {
        if (harva)
            p->cupHarva.kokoaViimeinen(TIIMIN_PARHAAT);
        else
            kokoaParhaat(p->cupPisteet, n, TIIMIN_PARHAAT);
    }
    if (rivejaOn)
        hakemisto.cupPituus = n + 1;
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
    // The level's runs by pointer: ranked and counted without copies of them.
    std::vector<const Ajo *> pelaajat;
    pelaajat.reserve(ajot_.size());
    for (const Ajo &a : ajot_)
        pelaajat.push_back(&a);
    yksiAjoPerNimi(pelaajat);
    vaihtojarjesta(pelaajat, osoittimille(ajatParhaatEnsin()));

    RiviHakemisto::Kaytossa haku(hakemisto, rivit);
    kerrytaAjot(haku, pelaajat, options.lihavoiUudet, false);

    if (options.tiimit) {
        std::vector<NimettyAjo> tiimit;
        for (const Ajo *a : pelaajat) {
            std::string t;
            if (tiiminNimi(a->nimi, t))
                tiimit.push_back({std::move(t), a});
        }
        yksiAjoPerNimi(tiimit);
        kerrytaAjot(haku, tiimit, options.lihavoiUudet, true);
    }

    std::string tiimi;
    auto hyvita = [&](const std::string &nimi, auto &&f) {
        if (Pelaaja *p = haku.muutettava(nimi))
            f(*p);
        if (tiiminNimi(nimi, tiimi))
            if (Pelaaja *p = haku.muutettava(tiimi))
                f(*p);
    };

    for (const Ajo *a : pelaajat) {
        if (!(a->aika == pelaajat[0]->aika))
            break;
        hyvita(a->nimi, [&](Pelaaja &p) {
            ++p.parhaidenLkm;
            p.parhaatLevelit.push_back(levelNumero);
        });
    }

    if (cup)
        jaaCupPisteet(pelaajat, cupTaulukko, hakemisto, !rivit.empty(), hyvita);

    hakemisto.jarjesta(rivit);
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
                                           std::ostream *konsoli, TotaliMuisti *muisti) {
    if (muisti) {
        const TotaliMuisti::Tulos &t =
            muisti->hae(levels, levels.size(), options, cupTaulukko, false, [&] {
                return TotaliMuisti::Tulos{
                    laskeKokoelmanTotalit(levels, options, cupTaulukko, nullptr), 0};
            });
        if (konsoli) {
            for (size_t i = 1; i <= levels.size(); ++i)
                kerroEdistyminen(*konsoli, i, levels.size());
            kerroValmis(*konsoli, levels.size());
        }
        return t.rivit;
    }
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
                                            unsigned listattuja, std::ostream &konsoli,
                                            TotaliMuisti *muisti) {
    konsoli << "Calculating total times...\n";
    std::vector<Pelaaja> rivit =
        laskeKokoelmanTotalit(levels, options, cupTaulukko, &konsoli, muisti);
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
