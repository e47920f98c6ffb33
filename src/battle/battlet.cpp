#include "battle/battlet.h"

#include "model/jarjestykset.h"
#include "util/syote.h"
#include "util/teksti.h"

#include <cassert>
#include <istream>
#include <optional>
#include <ostream>
#include <unordered_set>

namespace vt {

namespace {

void aloitaAlusta(std::istream &loki) {
    loki.clear();
    loki.seekg(0);
}

void tulostaLista(std::ostream &out, const std::vector<Ajo> &ajot) {
    for (size_t i = 0; i < ajot.size(); ++i)
        out << " " << pidenna(int2string(i + 1) + ": ", 6) << pidenna(ajot[i].nimi, 12)
            << ajot[i].aika.str() << "\n";
}

void tulostaOhjeet(Konsoli &k) {
    k.ulos() << "If you want to ignore some of them, write the numbers here. \n"
             << "To add a time, write 'add'. (each player's last score is counted)\n";
    k.kehota("At end, push just enter: ");
}

// The designer a "by" line names, or nothing.
std::string nimettyTekija(const std::string &rivi, const std::string &iso,
                          const std::vector<Nickit> &nickit) {
    return onByRivi(iso) ? battlenSanoja(rivi, nickit) : std::string();
}

// The result a speaker's line reports, or nothing.
std::optional<Ajo> tulosRivilta(const std::string &rivi, const std::string &iso,
                                const std::string &puhuja) {
    if (!voiOllaTulos(iso))
        return std::nullopt;
    Ajo ajo;
    if (!ajo.aika.etsiaika(rivi, false, false) || puhuja.empty())
        return std::nullopt;
    ajo.nimi = puhuja;
    return ajo;
}

// Whether a stop line by this speaker closes the battle: the designer's, a bot's or qumo's, or
// anyone's when the designer is not known.
bool saaLopettaa(const std::string &puhuja, const std::string &tekija) {
    return tekija.empty() || puhuja == tekija || loytyyko(puhuja, "bot") || puhuja == "qumo";
}

// The run a player adds by hand: a name of at most 11 characters and a time, asked until given.
Ajo kysyAjo(Konsoli &konsoli) {
    Ajo ajo;
    for (;;) {
        konsoli.kehota("Give player's name: ");
        ajo.nimi = lyhenna(konsoli.lueRivi());
        if (ajo.nimi.size() > 11) {
            konsoli.ulos() << "Player's name too long. \n";
            continue;
        }
        if (!onkotyhja(ajo.nimi))
            break;
    }
    for (;;) {
        konsoli.kehota("Give time: ");
        Aika aika;
        if (aika.etsiaika(konsoli.lueRivi(), true, false)) {
            ajo.aika = aika;
            break;
        }
    }
    return ajo;
}

// Drops the run whose number (from 1) the answer gives; any other answer drops nothing.
void poistaNumerolla(const std::string &vastaus, std::vector<Ajo> &ajot) {
    size_t i = 0;
    LuettuLuku luku;
    if (lueLuku(vastaus, i, UINT32_MAX, luku) && !luku.negatiivinen && luku.arvo >= 1 &&
        luku.arvo <= ajot.size())
        ajot.erase(ajot.begin() + static_cast<long>(luku.arvo - 1));
}

} // namespace

bool kysySeuraavaKentta(Konsoli &konsoli, unsigned numero, std::string &levelNimi) {
    konsoli.kehota("Give the " + int2string(numero) + ". level name or press only enter to quit: ");
    levelNimi = lyhenna(konsoli.lueRivi());
    return !onkotyhja(levelNimi);
}

void Sarjakisa::lue(std::istream &loki) {
    konsoli_.ulos() << "Give the first level name or press just enter to find \n";
    konsoli_.kehota("automatically all battles from file: ");
    levelNimi_ = lyhenna(konsoli_.lueRivi());
    if (onkotyhja(levelNimi_)) {
        konsoli_.ulos() << "Level name was not given, "
                        << "trying to find automatically all battles from file. \n";
        automaatti_ = true;
        konsoli_.ulos() << "Please wait, generating file...\n";
    }
    konsoli_.ulos().flush();

    std::string rivi;
    while (!valmis_) {
        if (lueRajattuRivi(loki, rivi)) {
            kasitteleRivi(rivi, false, loki);
            continue;
        }
        if (!ajot_.empty()) {
            // The log ended inside a battle: one empty line closes it.
            kasitteleRivi("", true, loki);
            continue;
        }
        if (automaatti_ || loytyi_)
            break;
        konsoli_.ulos() << "The level file you asked was not found from the file.\n";
        if (!kysySeuraava(loki))
            break;
    }
}

bool Sarjakisa::kysySeuraava(std::istream &loki) {
    if (!kysySeuraavaKentta(konsoli_, numero_, levelNimi_)) {
        valmis_ = true;
        return false;
    }
    aloitaAlusta(loki);
    loytyi_ = false;
    return true;
}

void Sarjakisa::kasitteleRivi(const std::string &rivi, bool lopussa, std::istream &loki) {
    const std::string iso = toUpper(rivi);
    const std::string puhuja = sanoja(rivi, nickit_);
    if (!puhuja.empty() && byLaskuri_ == 0)
        ehdokas_ = puhuja;
    etsiAlkuTaiLoppuAika(rivi, date_);
    date_.lueRivistaPaivamaara(rivi);
    if (byLaskuri_ > 0)
        --byLaskuri_;

    const std::string d = nimettyTekija(rivi, iso, nickit_);
    if (!d.empty()) {
        ehdokas_ = d;
        if (kaynnissa_ && etsiLevelLogista(rivi) == levelNimi_)
            tekija_ = d;
        // Speakers of the next lines are not taken for the designer named here.
        byLaskuri_ = 7;
    }

    if (kaynnissa_)
        if (std::optional<Ajo> ajo = tulosRivilta(rivi, iso, puhuja))
            ajot_.push_back(std::move(*ajo));

    if (kaynnissa_) {
        if ((onStopRivi(iso) && saaLopettaa(puhuja, tekija_)) || lopussa)
            suljeBattle(rivi, loki);
        if (valmis_)
            return;
    }

    if (kaynnissa_ && onLinkkiRivi(iso) && linkinNimi(rivi, iso) != levelNimi_) {
        suljeBattle(rivi, loki);
        if (valmis_)
            return;
    }

    if (!kaynnissa_ && onLinkkiRivi(iso) && (automaatti_ || loytyyko(iso, toUpper(levelNimi_)))) {
        kaynnissa_ = true;
        levelNimi_ = etsiLevelLogista(rivi);
        alkuaika_ = etsiAlkuTaiLoppuAika(rivi, date_);
        loytyi_ = true;
        tekija_ = ehdokas_;
    }
}

void Sarjakisa::suljeBattle(const std::string &rivi, std::istream &loki) {
    kaynnissa_ = false;
    if (ajot_.empty())
        return;
    std::ostream &out = konsoli_.ulos();
    out << "Adding event " << numero_ << ": " << levelNimi_;
    if (!tekija_.empty())
        out << " by " << tekija_;
    out << "...";
    const std::string loppuaika = etsiAlkuTaiLoppuAika(rivi, date_);
    if (!automaatti_) {
        out << "\n";
        naytaajotruudulla(konsoli_, ajot_);
    }
    const size_t ennen = levelit_.size();
    laskeBattle(ajot_, levelNimi_, tekija_, alkuaika_, loppuaika, levelit_, uusi_, date_);
    if (levelit_.size() == ennen)
        out << "wasn't added";
    else
        ++numero_;
    out << "\n";
    out.flush();
    if (!automaatti_ && !kysySeuraava(loki))
        return;
    ajot_.clear();
}

unsigned battlenPituus(const std::string &alku, const std::string &loppu) {
    if (alku.size() <= 4 || loppu.size() <= 4)
        return 0;
    auto ero = [&](size_t k) { return static_cast<int>(loppu[k]) - static_cast<int>(alku[k]); };
    int l = ero(0) * 600 + ero(1) * 60 + ero(3) * 10 + ero(4);
    if (l < 0)
        l += 1440;
    return l < 2 || l > 50 ? 0 : static_cast<unsigned>(l);
}

void laskeBattle(std::vector<Ajo> &ajot, const std::string &levelNimi, const std::string &tekija,
                 const std::string &alku, const std::string &loppu, std::vector<Level> &levelit,
                 bool uusi, const Date &date) {
    // Each nick's last result, in the order of those last results.
    std::unordered_set<std::string> nahty;
    std::vector<Ajo> viimeiset;
    for (size_t i = ajot.size(); i-- > 0;)
        if (nahty.insert(ajot[i].nimi).second)
            viimeiset.push_back(std::move(ajot[i]));
    ajot.assign(std::make_move_iterator(viimeiset.rbegin()),
                std::make_move_iterator(viimeiset.rend()));
    vaihtojarjesta(ajot, ajatParhaatEnsinTasanVaihtaen());

    auto uusiAjo = [&](const Ajo &a) {
        Ajo r;
        r.aika = a.aika;
        r.nimi = a.nimi;
        r.uusi = uusi;
        return r;
    };

    const std::string avain = levelinAvain(levelNimi);
    for (size_t i = levelit.size() > 11 ? levelit.size() - 10 : 0; i < levelit.size(); ++i) {
        Level &level = levelit[i];
        if (levelinAvain(level.annaNimi()) != avain)
            continue;
        std::vector<Ajo> lisattavat;
        for (const Ajo &a : ajot) {
            Ajo r = uusiAjo(a);
            if (!level.onkoJoTamaAjo(r))
                lisattavat.push_back(std::move(r));
        }
        // A player's new result replaces his earlier one in that level. Sweeping the level
        // once after all of them leaves what sweeping after each would: each name's last run,
        // where it stood (the new runs all go in, as their names differ and the level held
        // none of them).
        if (!lisattavat.empty()) {
            [[maybe_unused]] const unsigned ennen = level.annaAjojenLkm();
            level.lisaaAjot(lisattavat);
            assert(level.annaAjojenLkm() == ennen + lisattavat.size());
            level.poistaTurhatAjot();
        }
        return;
    }

    Level level(levelNimi);
    level.asetaPituus(battlenPituus(alku, loppu));
    level.alkuaika = alku;
    level.paivamaara = date.str();
    level.asetaPitaja(tekija);
    for (const Ajo &a : ajot)
        level.lisaaAjo(uusiAjo(a));
    levelit.push_back(std::move(level));
}

void naytaajotruudulla(Konsoli &konsoli, std::vector<Ajo> &ajot) {
    std::ostream &out = konsoli.ulos();
    out << "The following times were found from the file: \n";
    tulostaLista(out, ajot);
    tulostaOhjeet(konsoli);
    for (;;) {
        const std::string vastaus = konsoli.lueRivi();
        if (vastaus.empty())
            return;
        if (loytyyko(toUpper(vastaus), "ADD"))
            ajot.push_back(kysyAjo(konsoli));
        else
            poistaNumerolla(vastaus, ajot);
        out << "Times: \n";
        tulostaLista(out, ajot);
        tulostaOhjeet(konsoli);
    }
}

} // namespace vt
