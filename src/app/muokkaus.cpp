// Options 3-7: renaming and removing players, levels and times.
#include "app/tila.h"
#include "model/jarjestykset.h"
#include "model/totalit.h"
#include "util/teksti.h"

#include <optional>
#include <ostream>

namespace vt {

std::vector<Pelaaja> pelaajaLista(Tila &t) {
    std::vector<Pelaaja> rivit =
        laskeKokoelmanTotalit(t.levelit, t.asetukset, t.pistetaulukko, nullptr);
    std::erase_if(rivit, [](const Pelaaja &p) { return p.tiimi; });
    vaihtojarjesta(rivit, rivitNimenMukaan());
    return rivit;
}

void tulostaLevelit(Tila &t, bool asuB) {
    t.ulos() << "Current levels: \n";
    for (size_t i = 0; i < t.levelit.size(); ++i) {
        if (asuB)
            t.ulos() << "  Level " << (i + 1) << ", " << t.levelit[i].annaNimi() << ":\n";
        else
            t.ulos() << "  Level " << (i + 1) << ": " << t.levelit[i].annaNimi() << "\n";
    }
}

std::optional<std::size_t> kysyTulostettavaLevel(Tila &t, const char *keskeytetty) {
    tulostaLevelit(t, true);
    const unsigned n =
        kysyluku(t.konsoli, "Give the level's number you want to print: (0 aborts): ", 0,
                 static_cast<unsigned>(t.levelit.size()), false);
    if (n == 0) {
        t.ulos() << keskeytetty;
        return std::nullopt;
    }
    return n - 1;
}

namespace {

// The opening of options 5 to 7: the levels listed and one chosen by number. Gives the
// chosen level's index, or nothing after the command's message.
struct LevelinValinta {
    const char *eiLeveleita;
    bool asuB;
    const char *kysymys;
    const char *peruttu;
};
std::optional<size_t> valitseLevel(Tila &t, const LevelinValinta &v) {
    if (t.levelit.empty()) {
        t.ulos() << v.eiLeveleita;
        return std::nullopt;
    }
    tulostaLevelit(t, v.asuB);
    const unsigned n =
        kysyluku(t.konsoli, v.kysymys, 0, static_cast<unsigned>(t.levelit.size()), false);
    if (n == 0) {
        t.ulos() << v.peruttu;
        return std::nullopt;
    }
    return n - 1;
}

// The opening of options 3 and 4: the players listed and one chosen by number. Gives the
// chosen player's name, or nothing after the command's message.
struct PelaajanValinta {
    const char *eiPelaajia;
    const char *kysymys;
    const char *peruttu;
};
std::optional<std::string> valitsePelaaja(Tila &t, const std::vector<Pelaaja> &lista,
                                          const PelaajanValinta &v) {
    if (lista.empty()) {
        t.ulos() << v.eiPelaajia;
        return std::nullopt;
    }
    t.ulos() << "Current players: \n";
    for (size_t i = 0; i < lista.size(); ++i)
        t.ulos() << "Player " << (i + 1) << ": " << lista[i].nimi << "\n";
    const unsigned n =
        kysyluku(t.konsoli, v.kysymys, 0, static_cast<unsigned>(lista.size()), false);
    if (n == 0) {
        t.ulos() << v.peruttu;
        return std::nullopt;
    }
    return lista[n - 1].nimi;
}

} // namespace

void nimeaPelaaja(Tila &t) {
    const std::vector<Pelaaja> lista = pelaajaLista(t);
    const std::optional<std::string> valittu = valitsePelaaja(
        t, lista,
        {"No players to rename. \n", "Give the player's number you want to rename: (0 aborts): ",
         "Any player wasn't renamed.\n"});
    if (!valittu)
        return;
    const std::string vanha = *valittu;
    t.konsoli.kehota("Give new name: ");
    std::string uusi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(uusi)) {
        t.ulos() << "Can't rename player. \n";
        return;
    }
    const Pelaaja *toinen = nullptr;
    bool osuma = false;
    for (const Pelaaja &p : lista)
        if (toUpper(p.nimi) == toUpper(uusi)) {
            osuma = true;
            if (!toinen && p.nimi != vanha)
                toinen = &p;
        }
    if (osuma) {
        if (kysyluku(t.konsoli,
                     "Player " + uusi +
                         " already exists. Do you want to merge their times? "
                         "(1=yes, 2=no): ",
                     1, 2, false) == 2) {
            t.ulos() << "Player " << vanha << " wasn't renamed.\n";
            return;
        }
        // Merging with another player takes that player's exact name.
        if (toinen)
            uusi = toinen->nimi;
    }
    for (Level &l : t.levelit)
        l.vaihdaPelaajanNimi(vanha, uusi);
    t.ulos() << "Player " << vanha << " renamed to " << uusi << " successfully.\n";
}

void poistaPelaaja(Tila &t) {
    const std::optional<std::string> valittu = valitsePelaaja(
        t, pelaajaLista(t),
        {"No players to remove. \n", "Give the player's number you want to remove (0 aborts): ",
         "Any player wasn't removed.\n"});
    if (!valittu)
        return;
    const std::string nimi = *valittu;
    for (Level &l : t.levelit)
        l.poistaPelaaja(nimi);
    t.ulos() << "Player " << nimi << " removed successfully.\n";
}

void nimeaLevel(Tila &t) {
    const std::optional<size_t> valinta =
        valitseLevel(t, {"No levels to rename.\n", false,
                         "Give the level's number you want to rename: (0 aborts): ",
                         "Any level wasn't renamed.\n"});
    if (!valinta)
        return;
    t.konsoli.kehota("Give new name: ");
    std::string uusi = lyhenna(t.konsoli.lueRivi());
    if (onkotyhja(uusi)) {
        t.ulos() << "Can't rename level. \n";
        return;
    }
    const size_t valittu = *valinta;
    long loytyi = -1;
    for (size_t i = 0; i < t.levelit.size(); ++i)
        if (i != valittu && toUpper(t.levelit[i].annaNimi()) == toUpper(uusi))
            loytyi = static_cast<long>(i);
    if (loytyi >= 0) {
        t.ulos() << "Level " << uusi << " already exists. \n";
        if (kysyluku(t.konsoli, "Do you want to merge them? (1=yes, 2=no): ", 1, 2, false) == 2) {
            t.ulos() << "Level " << uusi << " wasn't renamed.\n";
            return;
        }
        t.levelit[static_cast<size_t>(loytyi)].yhdista(t.levelit[valittu]);
        t.levelit.erase(t.levelit.begin() + static_cast<long>(valittu));
        return;
    }
    t.ulos() << "Level " << t.levelit[valittu].annaNimi() << " renamed to " << uusi
             << " successfully.\n";
    t.levelit[valittu].vaihdaLevelinNimi(uusi);
}

void poistaLevel(Tila &t) {
    const std::optional<size_t> valinta =
        valitseLevel(t, {"No levels to remove.\n", true,
                         "Give the level's number you want to remove: (0 aborts): ",
                         "Any level wasn't removed.\n"});
    if (!valinta)
        return;
    t.ulos() << "Level " << t.levelit[*valinta].annaNimi() << " was removed successfully.\n";
    t.levelit.erase(t.levelit.begin() + static_cast<long>(*valinta));
}

void poistaAika(Tila &t) {
    const std::optional<size_t> valinta = valitseLevel(
        t, {"No times to remove.\n", true,
            "Give the level's number where is the time you want to remove: (0 aborts): ",
            "Any time wasn't removed.\n"});
    if (!valinta)
        return;
    Level &l = t.levelit[*valinta];
    t.ulos() << "Current times in " << l.annaNimi() << "\n";
    l.tulostaAjotjaNumerot(t.ulos());
    unsigned a = kysyluku(t.konsoli, "Give the time's number you want to remove: (0 aborts): ", 0,
                          l.annaAjojenLkm(), false);
    std::string teksti = a == 0 ? std::string() : l.poistaAjo(a - 1);
    if (teksti.empty()) {
        t.ulos() << "Any time wasn't removed.\n";
        return;
    }
    t.ulos() << "Time \"" << teksti << "\" was removed successfully.\n";
}

} // namespace vt
