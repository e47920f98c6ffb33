#include "generaattori.h"

#include "util/teksti.h"

#include <random>
#include <string>

namespace vt::bench {

namespace {

Aika aikaSadasosina(std::uint64_t s) {
    Aika a;
    a.sadasosat = static_cast<unsigned>(s % 100);
    a.sekunnit = static_cast<unsigned>(s / 100 % 60);
    a.minuutit = static_cast<unsigned>(s / 6000);
    return a;
}

} // namespace

std::vector<Level> teeKokoelma(const Koko &koko) {
    std::mt19937 g(koko.siemen);
    std::vector<std::string> nimet;
    nimet.reserve(koko.pelaajat);
    const unsigned tiimeja = koko.pelaajat / 8 + 1;
    for (unsigned p = 0; p < koko.pelaajat; ++p) {
        std::string n = "Player" + int2string(p);
        if (g() % 100 < koko.tiimiProsentti)
            n += " [T" + int2string(static_cast<unsigned>(g() % tiimeja)) + "]";
        nimet.push_back(n);
    }
    std::vector<Level> levelit;
    levelit.reserve(koko.levelit);
    for (unsigned l = 0; l < koko.levelit; ++l) {
        Level level("Level number " + int2string(l));
        // Times of one level cluster around the level's own length, as in the game.
        const std::uint64_t pituus = 1500 + g() % 30000;
        for (unsigned r = 0; r < koko.ajojaPerLevel; ++r) {
            Ajo a;
            a.aika = aikaSadasosina(pituus + g() % (pituus / 2 + 1));
            const std::size_t p = g() % nimet.size();
            a.nimi = nimet[p];
            // Multiplayer pairs are friends who play together: a few partners each.
            if (g() % 100 < koko.multiProsentti)
                a.nimi += ", " + nimet[(p + 1 + g() % 3) % nimet.size()];
            a.uusi = g() % 4 == 0;
            level.lisaaAjo(a);
        }
        levelit.push_back(std::move(level));
    }
    return levelit;
}

} // namespace vt::bench
